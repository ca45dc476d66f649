#include "configtool/ui/prog_form.h"

#include "configtool/captionmap.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace configtool {

TForm2::TForm2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    Button1 = new QPushButton(QStringLiteral(">>"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Button1);
}

void TForm2::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm2.caption"), [this](const QString &t) { setWindowTitle(t); });
}

} // namespace configtool
