#include "configtool/ui/typecable.h"

#include "common/ui/windowhelpers.h"
#include "configtool/captionmap.h"
#include "configtool/ui/prog_form.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace configtool {

TForm7::TForm7(TForm2 *cableForm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_cableForm(cableForm)
{
    setObjectName(QStringLiteral("Form7"));
    Label1 = new QLabel(this);
    Label1->setGeometry(10, 12, 110, 22);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QString(), QStringLiteral("RS232")});
    ComboBox1->setCurrentIndex(1);
    ComboBox1->setGeometry(124, 12, 130, 22);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setGeometry(94, 46, 80, 26);
    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    setFixedSize(266, 82);
}

void TForm7::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm7.Label1"), [this](const QString &t) { Label1->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm7.ComboBox1.0"),
                            [this](const QString &t) { ComboBox1->setItemText(0, t); });
}

void TForm7::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    common::centreOnScreen(this);
}

void TForm7::Button1Click()
{
    if (TForm2 *form = m_cableForm) {
        if (ComboBox1->currentText() == ComboBox1->itemText(0))
            form->showAnalogPage();
        else
            form->showRs232Page();
        form->exec();
    }
    accept();
}

} // namespace configtool
