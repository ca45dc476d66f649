#pragma once

#include "common/captiontable.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace configtool {

using common::CaptionRegistry;
class TForm2;

// The cable type chooser of register-programmed cables: opens the cable
// configuration window on the chosen page.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    TForm7(TForm2 *cableForm, QWidget *parent);
    void registerCaptions(CaptionRegistry &registry);

    void Button1Click();

    QLabel *Label1;
    QComboBox *ComboBox1;
    QPushButton *Button1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TForm2 *m_cableForm;
};

} // namespace configtool
