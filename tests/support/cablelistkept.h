#pragma once

#include <QString>

namespace testsupport {

// The cable list update's message when the list in service stays: the built-in
// French text, and the English language file's.
inline QString kept(const QString &reason)
{
    return reason + " : liste actuelle conservée";
}

inline QString keptInEnglish(const QString &reason)
{
    return reason + ": current list kept";
}

} // namespace testsupport
