#include "common/ui/messages.h"

#include "common/commontexts.h"
#include "common/usererror.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <exception>

namespace common {

namespace {

const QString ok = QStringLiteral("OK");

QStringList yesNo()
{
    return {inLanguage(texts::yes), inLanguage(texts::no)};
}

// Callers end lines with CR LF, LF CR or LF alike; each is one line break.
QString displayed(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void fillBox(QMessageBox &box, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    box.setIcon(icon);
    box.setWindowTitle(title);
    // Texts may carry what a device or a file sent: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(displayed(text));
    // A path or a device's answer may be wanted elsewhere.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setProperty(originalTextProperty, text);
}

// Shows a modal box and returns the index of the button that closed it. The
// first button is the default; escapeIndex is the answer to Escape and to the
// title bar's close button.
int runBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
           const QStringList &buttons, int escapeIndex)
{
    QMessageBox box(parent);
    fillBox(box, icon, title, text);
    QList<QPushButton *> added;
    // One role for all keeps the buttons in the order given on every desktop.
    for (const QString &label : buttons)
        added.append(box.addButton(label, QMessageBox::AcceptRole));
    box.setDefaultButton(added.first());
    box.setEscapeButton(added.at(escapeIndex));
    box.exec();
    const int clicked = added.indexOf(qobject_cast<QPushButton *>(box.clickedButton()));
    return clicked < 0 ? escapeIndex : clicked;
}

// Below the window, else above it, kept on its screen.
void placeBeside(QWidget *box, const QWidget *window)
{
    const QRect beside = window->frameGeometry();
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize size = box->frameGeometry().size();
    constexpr int gap = 8;
    QPoint at(beside.center().x() - size.width() / 2, beside.bottom() + gap);
    if (at.y() + size.height() > room.bottom())
        at.setY(beside.top() - gap - size.height());
    at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - size.width())));
    at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - size.height())));
    box->move(at);
}

} // namespace

void showError(QWidget *parent, const QString &text)
{
    runBox(parent, QMessageBox::Critical, inLanguage(texts::errorTitle), text, {ok}, 0);
}

void showErrorOffering(QWidget *parent, const QString &text, const QString &action,
                       const std::function<void()> &onAction)
{
    if (runBox(parent, QMessageBox::Critical, inLanguage(texts::errorTitle), text, {action, ok}, 1) == 0 && onAction)
        onAction();
}

void showInformation(QWidget *parent, const QString &text)
{
    runBox(parent, QMessageBox::Information, inLanguage(texts::informationTitle), text, {ok}, 0);
}

bool askQuestion(QWidget *parent, const QString &text)
{
    return runBox(parent, QMessageBox::Information, inLanguage(texts::informationTitle), text, yesNo(), 1) == 0;
}

bool askWarning(QWidget *parent, const QString &text)
{
    return runBox(parent, QMessageBox::Warning, inLanguage(texts::warningTitle), text, yesNo(), 1) == 0;
}

Answer askConfirmation(QWidget *parent, const QString &text)
{
    const int clicked = runBox(parent, QMessageBox::Question, inLanguage(texts::confirmationTitle), text,
                               yesNo() << inLanguage(texts::cancel), 2);
    return clicked == 0 ? Answer::Yes : clicked == 1 ? Answer::No : Answer::Cancel;
}

void showMessage(QWidget *parent, const QString &text)
{
    runBox(parent, QMessageBox::NoIcon, QCoreApplication::applicationName(), text, {ok}, 0);
}

void showNotice(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    fillBox(*box, QMessageBox::Warning, inLanguage(texts::warningTitle), text);
    box->addButton(ok, QMessageBox::AcceptRole);
    // Set last: the box's set-up resets its window flags.
    box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    box->show();
    if (parent)
        placeBeside(box, parent->window());
}

bool runGuarded(QWidget *parent, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const UserError &error) {
        showError(parent, error.text());
    } catch (const std::exception &error) {
        showError(parent, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace common
