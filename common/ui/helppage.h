#pragma once

#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace common {

// The two error texts, in the program's language; %1 stands for the page.
struct HelpPageTexts {
    QString missing;
    QString noBrowser;
};

// Opens a local help page in the user's browser. A missing page, or a desktop
// with no program to open it, gives an error box instead of doing nothing.
// `open` is the desktop's opener (QDesktopServices::openUrl by default).
void openHelpPage(QWidget *parent, const QString &path, const HelpPageTexts &texts,
                  const std::function<bool(const QUrl &)> &open = {});

} // namespace common
