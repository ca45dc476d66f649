#include "common/ui/helppage.h"

#include "common/ui/messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace common {

void openHelpPage(QWidget *parent, const QString &path, const HelpPageTexts &texts,
                  const std::function<bool(const QUrl &)> &open)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        showError(parent, texts.missing.arg(shown));
        return;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = open ? open(url) : QDesktopServices::openUrl(url);
    if (!opened)
        showError(parent, texts.noBrowser.arg(shown));
}

} // namespace common
