#pragma once

#include "common/captiontable.h"
#include "common/ui/windowhelpers.h"
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
class TForm4 : public QDialog, public Rs232Controls, public common::GuardedHandlers<TForm4> {
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

    QLabel *r_liaison;
    QComboBox *ComboBox2; // supply

protected:
    void showEvent(QShowEvent *event) override;

private:
    class View;


    CableWindowContext m_context;
    std::unique_ptr<View> m_view;
    bool m_listFilled = false;
};

} // namespace configtool
