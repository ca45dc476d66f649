#include "configtool/ui/config_avancee.h"

#include "configtool/captionmap.h"

namespace configtool {

TForm6::TForm6(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form6"));
}

void TForm6::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm6.caption"), [this](const QString &t) { setWindowTitle(t); });
}

} // namespace configtool
