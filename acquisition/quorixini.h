#pragma once

#include "common/inikeys.h"

#include <QString>

// Sections and keys of quorix.ini.
namespace acquisition::ini {

using common::ini::general;
using common::ini::language;
inline const QString demo = QStringLiteral("Demo");       // [GENERAL] 1: no configuration file when last closed
inline const QString journal = QStringLiteral("Journal"); // [GENERAL] 0: no journal of readings

inline const QString file = QStringLiteral("FICHIER");
inline const QString configurationFile = QStringLiteral("Quorix"); // [FICHIER] the last configuration

inline const QString keyboard = QStringLiteral("CLAVIER");
inline const QString keyOutput = QStringLiteral("Sortie");         // auto, x11, wayland or portail
inline const QString portalToken = QStringLiteral("JetonPortail"); // the portal's restore token
inline const QString typingPace = QStringLiteral("Cadence");       // auto, or ms between keys

} // namespace acquisition::ini
