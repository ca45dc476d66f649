#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QWidget;

namespace common {

// The error text, in the program's language; %1 stands for the page.
struct HelpPageTexts {
    QString missing;
};

// The help pages in a window of the program's own, so that no browser is
// needed: links between the pages and their images are read
// from the pages' folder. Titled with the page's own title.
class HelpWindow : public QDialog {
public:
    HelpWindow(const QString &path, QWidget *parent = nullptr);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

// Shows a local help page in a HelpWindow until it is closed; a missing page
// gives an error box instead.
void openHelpPage(QWidget *parent, const QString &path, const HelpPageTexts &texts);

} // namespace common
