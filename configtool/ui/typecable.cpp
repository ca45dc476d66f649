#include "configtool/ui/typecable.h"

#include "configtool/captionmap.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace configtool {

TForm7::TForm7(QWidget *parent) : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form7"));
    Label1 = new QLabel(this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->addItems({QString(), QStringLiteral("RS232")});
    ComboBox1->setCurrentIndex(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ComboBox1);
}

void TForm7::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm7.Label1"), [this](const QString &t) { Label1->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm7.ComboBox1.0"),
                            [this](const QString &t) { ComboBox1->setItemText(0, t); });
}

} // namespace configtool
