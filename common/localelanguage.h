#pragma once

#include <QString>
#include <QStringList>

namespace common {

// The locale that names the user's language, as the C library picks the
// messages' one: LC_ALL, else LC_MESSAGES, else LANG.
QString messagesLocale();

// The language file for a locale among the folder's file names (without
// ".lng"): French for fr*, else English. 0 when the folder has no such file.
int languagePositionForLocale(const QStringList &names, const QString &locale);

} // namespace common
