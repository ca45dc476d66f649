#pragma once

#include <QString>

// Settings keys both programs' files share.
namespace common::ini {

inline const QString general = QStringLiteral("GENERAL");
inline const QString language = QStringLiteral("Langue"); // [GENERAL], position in the language menu

} // namespace common::ini
