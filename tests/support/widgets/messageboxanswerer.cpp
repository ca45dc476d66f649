#include "tests/support/widgets/messageboxanswerer.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace common {

namespace {

QString textOf(const QAbstractButton *button)
{
    return button ? button->text() : QString();
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(QObject *parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void MessageBoxAnswerer::answerWith(const QString &buttonText)
{
    m_answers.append(buttonText);
}

bool MessageBoxAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QMessageBox *>(watched);
    if (box && event->type() == QEvent::Show) {
        Box seen;
        seen.title = box->windowTitle();
        const QVariant original = box->property(originalTextProperty);
        seen.text = original.isValid() ? original.toString() : box->text();
        seen.textFormat = box->textFormat();
        seen.icon = box->icon();
        for (const QAbstractButton *button : box->buttons())
            seen.buttons.append(button->text());
        seen.defaultButton = textOf(box->defaultButton());
        seen.escapeButton = textOf(box->escapeButton());
        m_seen.append(seen);
        // Clicked from the box's own modal loop, once exec() has started it.
        const qsizetype index = m_seen.size() - 1;
        const QString wanted = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        QPointer<MessageBoxAnswerer> self(this);
        QTimer::singleShot(0, box, [self, box, index, wanted] {
            if (self)
                self->answer(box, index, wanted);
        });
    }
    return QObject::eventFilter(watched, event);
}

void MessageBoxAnswerer::answer(QMessageBox *box, qsizetype index, const QString &wanted)
{
    QAbstractButton *chosen = nullptr;
    for (QAbstractButton *button : box->buttons()) {
        if (!wanted.isEmpty() && button->text() == wanted)
            chosen = button;
    }
    if (!chosen)
        chosen = box->escapeButton();
    if (!chosen)
        chosen = box->defaultButton();
    if (!chosen && !box->buttons().isEmpty())
        chosen = box->buttons().first();
    if (!chosen) {
        box->reject();
        return;
    }
    m_seen[index].answer = chosen->text();
    chosen->click();
}

QStringList boxTexts(const MessageBoxAnswerer &boxes)
{
    QStringList texts;
    for (const auto &box : boxes.seen())
        texts << box.title + ": " + box.text;
    return texts;
}

} // namespace common
