#include "configtool/ui/prog_vtr.h"

#include "configtool/captionmap.h"

namespace configtool {

TForm4::TForm4(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
}

void TForm4::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm4.caption"), [this](const QString &t) { setWindowTitle(t); });
}

} // namespace configtool
