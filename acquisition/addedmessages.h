#pragma once

#include "common/addedtexts.h"
#include "common/version.h"

// Quorix's messages beyond its 40-line caption map, one language line each.
//
// Adding one: declare it below with the next free line and its French text,
// append it to `all`, and append its line to every file of lang/quorix/ (the
// French text in Francais.lng). Show it with QuorixMessages::added.text(entry);
// a caption registers with CaptionTargets::addAdded.
namespace acquisition::added {

using common::AddedText;

inline constexpr AddedText deviceLost{
    41, u"Le multiplexeur a été déconnecté. Reconnectez-le et relancez Quorix."};
// The help pages; %1 is the page's path.
inline constexpr AddedText helpPageMissing{42, u"Page d'aide introuvable : %1"};
inline constexpr AddedText helpNoBrowser{43, u"Aucun navigateur n'a pu ouvrir la page d'aide %1"};
// The journal of readings that cannot be written, in two lines: %1 the file
// or folder, %2 the system's reason; then what goes on meanwhile.
inline constexpr AddedText journalNotWritten{44, u"Le journal des lectures ne peut pas être écrit dans %1 : %2."};
inline constexpr AddedText journalTypingGoesOn{
    45, u"Les valeurs continuent d'être tapées, mais ne sont plus notées dans le journal."};
// File > Journal; %1 is the journal's folder.
inline constexpr AddedText noFileManager{46, u"Aucun gestionnaire de fichiers n'a pu ouvrir le dossier %1"};
// Captions: the File menu's item, the about box's package line (%1 the version).
inline constexpr AddedText journalMenu{47, u"&Journal"};
inline constexpr AddedText packageLine{48, common::packageLineFrench};

inline constexpr const AddedText *all[] = {&deviceLost,        &helpPageMissing,     &helpNoBrowser,
                                           &journalNotWritten, &journalTypingGoesOn, &noFileManager,
                                           &journalMenu,       &packageLine};

} // namespace acquisition::added
