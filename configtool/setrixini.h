#pragma once

#include "common/inikeys.h"

#include <QString>

// Sections and keys of kelt.ini.
namespace configtool::ini {

using common::ini::general;
using common::ini::language;

inline const QString internet = QStringLiteral("INTERNET");
inline const QString proxy = QStringLiteral("proxy");
inline const QString proxyPort = QStringLiteral("port");
inline const QString enableProxy = QStringLiteral("enable_proxy");

inline const QString retro = QStringLiteral("RETRO");
// The caption of retro-command `digit` (0 to 9).
inline QString retroCaption(int digit) { return QStringLiteral("rcmde%1").arg(digit); }

} // namespace configtool::ini
