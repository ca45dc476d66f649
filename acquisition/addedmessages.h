#pragma once

#include "common/addedtexts.h"

// Quorix's messages beyond its 40-line caption map, one language line each.
//
// Adding one: declare it below with the next free line and its French text,
// append it to `all`, and append its line to every file of lang/quorix/ (the
// French text in Francais.lng). Show it with QuorixMessages::added.text(entry).
namespace acquisition::added {

using common::AddedText;

inline constexpr AddedText deviceLost{
    41, u"Le multiplexeur a été déconnecté. Reconnectez-le et relancez Quorix."};
// The help pages; %1 is the page's path.
inline constexpr AddedText helpPageMissing{42, u"Page d'aide introuvable : %1"};
inline constexpr AddedText helpNoBrowser{43, u"Aucun navigateur n'a pu ouvrir la page d'aide %1"};

inline constexpr const AddedText *all[] = {&deviceLost, &helpPageMissing, &helpNoBrowser};

} // namespace acquisition::added
