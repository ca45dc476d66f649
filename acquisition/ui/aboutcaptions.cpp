#include "acquisition/ui/aboutcaptions.h"

#include "acquisition/addedmessages.h"
#include "acquisition/captionmap.h"
#include "common/ui/apropos.h"

#include <QPointer>

namespace acquisition {

void registerAboutBoxCaptions(common::CaptionRegistry &targets, common::TAboutBox &box)
{
    const QPointer<common::TAboutBox> target(&box);
    const auto add = [&](const QString &name, void (common::TAboutBox::*set)(const QString &)) {
        targets.add(name, [target, set](const QString &text) {
            if (target)
                (target.data()->*set)(text);
        });
    };
    add(QLatin1String(caption::AboutBox), &common::TAboutBox::setCaption);
    add(QStringLiteral("label9"), &common::TAboutBox::setMemoryLabel);
    add(QStringLiteral("Button1"), &common::TAboutBox::setSupportButton);
    targets.addAdded(added::packageLine, [target](const QString &text) {
        if (target)
            target->setPackageLine(text);
    });
}

} // namespace acquisition
