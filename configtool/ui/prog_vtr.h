#pragma once

#include "common/captiontable.h"
#include "configtool/programmablereply.h"
#include "configtool/ui/cablecontrols.h"
#include "configtool/ui/windowcontext.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace configtool {

using common::CaptionRegistry;

// The programmable RS232 cable window: reads the cable's whole configuration
// with one query and programs it setting by setting.
class TForm4 : public QDialog, public Rs232Controls {
    Q_OBJECT
public:
    explicit TForm4(CableWindowContext context, QWidget *parent = nullptr);
    ~TForm4() override;
    void registerCaptions(CaptionRegistry &registry);

    // Handlers.
    void FormShow();
    void ref_cableChange();
    void btn_lireClick();
    void btn_progClick();

    // The window's own operations on the multiplexer's port.
    void prog(const QByteArray &text);
    void delay(int ms);
    static int char2int(const QString &text);
    void lit_config();
    static QString decode_caractere(int byte);
    bool verif_config();
    const ConfigurationReply &configuration() const { return m_reply; }

    QLabel *r_liaison;
    QComboBox *ComboBox2; // supply

protected:
    void showEvent(QShowEvent *event) override;

private:
    class View;

    void guarded(const std::function<void()> &handler);

    CableWindowContext m_context;
    std::unique_ptr<View> m_view;
    ConfigurationReply m_reply;
    bool m_listFilled = false;
};

} // namespace configtool
