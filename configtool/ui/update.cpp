#include "configtool/ui/update.h"

#include "configtool/captionmap.h"

namespace configtool {

TForm3::TForm3(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
}

void TForm3::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm3.caption"), [this](const QString &t) { setWindowTitle(t); });
}

} // namespace configtool
