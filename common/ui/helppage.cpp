#include "common/ui/helppage.h"

#include "common/ui/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace common {

HelpWindow::HelpWindow(const QString &path, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    // Pages of the web open in the browser, where there is one.
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(m_browser->documentTitle()); });
    m_browser->setSource(QUrl::fromLocalFile(path));
    resize(760, 620);
}

void openHelpPage(QWidget *parent, const QString &path, const HelpPageTexts &texts)
{
    if (!QFileInfo(path).isFile()) {
        showError(parent, texts.missing.arg(QDir::toNativeSeparators(path)));
        return;
    }
    HelpWindow window(path, parent);
    window.exec();
}

} // namespace common
