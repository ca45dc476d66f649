#include "configtool/ui/update.h"

#include "common/commontexts.h"
#include "common/ui/messages.h"
#include "common/ui/windowhelpers.h"
#include "configtool/captionmap.h"
#include "configtool/setrixtexts.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QVBoxLayout>

#include <limits>

namespace configtool {

namespace {

QUrl updateUrlAtStart()
{
    const QString overridden = qEnvironmentVariable("SETRIX_UPDATE_URL");
    return overridden.isEmpty() ? cableListUpdateUrl() : QUrl(overridden);
}

} // namespace

TForm3::TForm3(UpdateWindowContext context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                        | Qt::WindowCloseButtonHint),
      Label1(new QLabel(this)),
      ProgressBar1(new QProgressBar(this)),
      Button2(new QPushButton(QStringLiteral("&Annuler"), this)),
      Button3(new QPushButton(QStringLiteral("&Rechercher..."), this)),
      Button1(new QPushButton(QStringLiteral("&Internet"), this)),
      OpenDialog1(new QFileDialog(this)),
      m_context(std::move(context)),
      m_download(m_client, m_context.texts.addedTexts())
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Mise à jour"));
    setModal(true);
    setFixedSize(249, 85);

    // Long status lines (why the list was kept) wrap onto a second line. The
    // server's status line is its own text, never markup.
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(12);
    Button1->setDefault(true);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(Label1, 1);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);

    fitToCaptions();

    m_download.setUrl(updateUrlAtStart());
    m_chooseFile = [this] {
        // In the language of the moment, which may have changed since.
        OpenDialog1->setWindowTitle(common::inLanguage(common::texts::openTitle));
        OpenDialog1->setNameFilter(m_context.texts.added(added::cableListFilter));
        return OpenDialog1->exec() == QDialog::Accepted ? OpenDialog1->selectedFiles().value(0) : QString();
    };

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    connect(&m_download, &CableListDownload::statusLine, this, &TForm3::setStatusLine);
    connect(&m_download, &CableListDownload::progress, this, &TForm3::setProgress);
    // A box opened from inside the client's signal would nest its modal loop in
    // the transfer's; it waits until the transfer has ended.
    connect(&m_download, &CableListDownload::connectionFailed, this,
            [this](const QString &message) { m_connectionMessage = message; });
}

void TForm3::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm3.caption"), [this](const QString &t) { setWindowTitle(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm3.Button3"), [this](const QString &t) {
        Button3->setText(t);
        fitToCaptions();
    });
    registry.addWithBuiltIn(QStringLiteral("TForm3.Button2"), [this](const QString &t) {
        Button2->setText(t);
        fitToCaptions();
    });
}

// Captions that need more room than the usual size (a wider font, a longer
// translation) widen the window rather than being cut.
void TForm3::fitToCaptions()
{
    // A button may be narrower than the style's usual minimum, down to its text.
    for (QPushButton *button : {Button2, Button3, Button1}) {
        const QString text = QString(button->text()).remove(u'&');
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) + 2 * margin + 4);
    }
    layout()->invalidate();
    setFixedSize(QSize(249, 85).expandedTo(layout()->minimumSize()));
}

QString TForm3::cableListPath() const
{
    return m_context.cableListUpdatePath();
}

void TForm3::Button1Click()
{
    if (m_downloading)
        return;
    common::runGuarded(this, [this] {
        m_connectionMessage.clear();
        const bool replaced = runDownload();
        if (!m_connectionMessage.isEmpty())
            common::showMessage(this, m_connectionMessage);
        if (replaced)
            accept();
        else if (m_cancelled)
            setStatusLine(keptListText(m_context.texts.addedTexts(),
                                       m_context.texts.added(added::downloadCancelled)));
    });
}

// True when cable.txt was replaced. The buttons and the progress bar are back
// to rest however the transfer ends, before any message is shown: a bar left
// full beside a failure line would look like success.
bool TForm3::runDownload()
{
    m_downloading = true;
    m_cancelled = false;
    // Disabling the focused button moves the focus on; it comes back so that
    // Enter tries again rather than closing the window.
    const QPointer<QWidget> focused = focusWidget();
    Button1->setEnabled(false);
    Button3->setEnabled(false);
    Label1->clear();
    resetProgress();
    const auto restore = qScopeGuard([this, focused] {
        m_downloading = false;
        Button1->setEnabled(true);
        Button3->setEnabled(true);
        if (focused)
            focused->setFocus();
        resetProgress();
    });
    const bool replaced = m_download.run(m_context.proxySettings(), cableListPath());
    if (replaced)
        Memo1 = m_client.body();
    return replaced;
}

void TForm3::Button2Click()
{
    if (m_downloading) {
        m_cancelled = true;
        m_download.cancel();
        return;
    }
    reject();
}

void TForm3::Button3Click()
{
    if (m_downloading)
        return;
    common::runGuarded(this, [this] {
        const QString path = m_chooseFile();
        if (path.isEmpty())
            return;
        const ChosenCableList chosen = readChosenCableList(path);
        Memo1 = chosen.bytes;
        const SetrixTexts &texts = m_context.texts;
        if (isOlderThanCurrentList(chosen.date, m_context.cableListDate())
            && !common::askQuestion(this, texts.replaceWithOlderQuestion()))
            return;
        writeCableList(cableListPath(), Memo1);
        accept();
    });
}

void TForm3::reject()
{
    if (m_downloading) {
        m_cancelled = true;
        m_download.cancel();
    }
    QDialog::reject();
}

void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    common::centreOnScreen(this);
}

void TForm3::setStatusLine(const QString &text)
{
    Label1->setText(text);
    // A tool tip has no plain-text mode: markup in the text would be drawn. The
    // escaped text is kept on one line, as a plain tool tip would show it.
    Label1->setToolTip(text.isEmpty() ? QString()
                                      : QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped()));
}

void TForm3::setProgress(qint64 maximum, qint64 position)
{
    constexpr qint64 largest = std::numeric_limits<int>::max();
    if (maximum <= 0) {
        ProgressBar1->setRange(0, 0);
        return;
    }
    ProgressBar1->setRange(0, int(qMin(maximum, largest)));
    ProgressBar1->setValue(int(qBound<qint64>(0, position, qMin(maximum, largest))));
}

void TForm3::resetProgress()
{
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
}

} // namespace configtool
