#pragma once

#include "common/captiontable.h"
#include "configtool/programmablereply.h"
#include "configtool/ui/cablecontrols.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace configtool {

using common::CaptionRegistry;
class TForm1;

// The programmable RS232 cable window: reads the cable's whole configuration
// with one query and programs it setting by setting. Its parent is the main
// window, whose port, texts and folder it uses.
class TForm4 : public QDialog, public Rs232Controls {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
    ~TForm4() override;
    void registerCaptions(CaptionRegistry &registry);

    // Handlers.
    void FormShow();
    void ref_cableChange();
    void btn_lireClick();
    void btn_progClick();

    // The window's own operations on the main window's port.
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

    TForm1 *mainWindow() const { return ownerMainWindow(this); }
    void guarded(const std::function<void()> &handler);

    std::unique_ptr<View> m_view;
    ConfigurationReply m_reply;
    bool m_listFilled = false;
};

} // namespace configtool
