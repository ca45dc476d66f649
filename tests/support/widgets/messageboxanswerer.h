#pragma once

#include "common/ui/messages.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QStringList>

namespace common {

// Answers message boxes in tests, so that a window handler which asks a question
// runs to its end without a human. While it lives it watches the whole
// application: every QMessageBox that opens (from common/ui/messages.h or any
// other code) is recorded and, once its modal loop runs, answered by clicking
// the button whose text is next in the queue. A box that finds the queue empty,
// or lacks the queued button, is answered with its escape button (the safe
// answer) so a test never hangs.
//
//     MessageBoxAnswerer boxes;
//     boxes.answerWith("&Non");
//     window.close();
//     QCOMPARE(boxes.seen().size(), 1);
//     QCOMPARE(boxes.seen().at(0).title, "Avertissement");
class MessageBoxAnswerer : public QObject {
    Q_OBJECT
public:
    struct Box {
        QString title;
        QString text;          // as the caller gave it
        Qt::TextFormat textFormat = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;   // texts, in the order shown
        QString defaultButton;
        QString escapeButton;
        QString answer;        // text of the button that was clicked
    };

    explicit MessageBoxAnswerer(QObject *parent = nullptr);
    ~MessageBoxAnswerer() override;

    // Queues the answer to the next unanswered box.
    void answerWith(const QString &buttonText);

    const QList<Box> &seen() const { return m_seen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answer(QMessageBox *box, qsizetype index, const QString &wanted);

    QStringList m_answers;
    QList<Box> m_seen;
};

// "<title>: <text>" of each box seen, in order.
QStringList boxTexts(const MessageBoxAnswerer &boxes);

} // namespace common
