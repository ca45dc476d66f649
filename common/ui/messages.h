#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace common {

// The programs' modal message boxes. Titles and buttons are named below in
// French; they follow the language applied (common::inLanguage). Each one
// blocks until answered; closing a question with the title bar or Escape counts
// as its safe answer ("&Non", or "Annuler" where offered).
//
// Each box keeps the text as its caller gave it, line ends and all, in this
// dynamic property: tests read it back from the box they answer.
inline constexpr char originalTextProperty[] = "originalText";

enum class Answer { Yes, No, Cancel };

// "Erreur", critical icon, "OK".
void showError(QWidget *parent, const QString &text);

// The error box with a second button, `action` (the default), before "OK";
// `onAction` runs when that one closes the box.
void showErrorOffering(QWidget *parent, const QString &text, const QString &action,
                       const std::function<void()> &onAction);

// "Information", information icon, "OK".
void showInformation(QWidget *parent, const QString &text);

// "Information", information icon, "&Oui" (default) / "&Non". True on "&Oui".
bool askQuestion(QWidget *parent, const QString &text);

// The quit question: "Avertissement", warning icon, "&Oui" (default) / "&Non".
bool askWarning(QWidget *parent, const QString &text);

// The save question: "Confirmation", question icon, "&Oui" (default) / "&Non" / "Annuler".
Answer askConfirmation(QWidget *parent, const QString &text);

// No icon, "OK"; titled with the application's name (QCoreApplication::applicationName).
void showMessage(QWidget *parent, const QString &text);

// "Avertissement", warning icon, "OK", but neither modal nor taking the keyboard
// focus, even when clicked: returns at once, and whatever the user is typing
// into keeps the focus. It stands below its parent's window (above when there
// is no room), never over the buttons the user may want next.
void showNotice(QWidget *parent, const QString &text);

// Runs a window handler. A common::UserError it throws is shown in the error box
// with its French text (any other std::exception with its own text); the program
// then goes on. True when the handler ended normally.
bool runGuarded(QWidget *parent, const std::function<void()> &handler);

} // namespace common
