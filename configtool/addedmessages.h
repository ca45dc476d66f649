#pragma once

#include "common/addedtexts.h"
#include "common/commontexts.h"
#include "common/version.h"

#include <span>

// Setrix's messages beyond its 84-line caption map, one language line each.
//
// Adding one: declare it below with the next free line and its French text,
// append it to `all`, and append its line to every file of lang/setrix/ (the
// French text in Francais.lng). Show it with SetrixTexts::added(entry).
namespace configtool::added {

using common::AddedText;

// Status panel 0 once the device has gone away.
inline constexpr AddedText muxDisconnected{85, u"Multiplexeur déconnecté"};
// The update window: why the cable list was kept, as "<reason> : liste actuelle conservée".
inline constexpr AddedText listKept{86, u"%1 : liste actuelle conservée"};
inline constexpr AddedText downloadCancelled{87, u"Téléchargement annulé"};
inline constexpr AddedText badAddress{88, u"Adresse du serveur ou du proxy incorrecte"};
inline constexpr AddedText cannotConnect{89, u"Connexion au serveur impossible"};
inline constexpr AddedText serverSilent{90, u"Le serveur ne répond plus"};
inline constexpr AddedText downloadInterrupted{91, u"Téléchargement interrompu"};
inline constexpr AddedText fileTooLarge{92, u"Fichier reçu trop volumineux"};
inline constexpr AddedText unreadableReply{93, u"Réponse du serveur illisible"};
inline constexpr AddedText listNotOnServer{94, u"Liste des câbles introuvable sur le serveur"};
inline constexpr AddedText serverError{95, u"Erreur %1 du serveur"}; // %1: the HTTP status code
inline constexpr AddedText notACableList{96, u"Le fichier reçu n'est pas une liste de câbles"};
// A body ended by the server closing the connection, cut inside the list.
inline constexpr AddedText downloadIncomplete{98, u"Téléchargement incomplet"};
// The cable windows, when the multiplexer goes away during an operation.
inline constexpr AddedText cableMuxDisconnected{
    97, u"Le multiplexeur a été déconnecté. Rebranchez-le, puis reconnectez-le dans la fenêtre principale."};
// The cable windows refuse to program: a parity box whose text (%1) names
// none, a page that shows no cable.
inline constexpr AddedText unknownParity{99, u"Parité inconnue : « %1 ». Choisissez une parité de la liste."};
inline constexpr AddedText noCableChosen{100, u"Aucun câble choisi : choisissez une référence dans la liste."};
// The about box; %1 is the package's version.
inline constexpr AddedText packageLine{101, common::packageLineFrench};
// A port the user may not open; %1: its device.
inline constexpr AddedText portPermission{102, common::portPermissionFrench};

// Titles and buttons of the message boxes and file dialogs, and the user errors.
inline constexpr AddedText errorTitle{103, common::texts::errorTitle};
inline constexpr AddedText warningTitle{104, common::texts::warningTitle};
inline constexpr AddedText informationTitle{105, common::texts::informationTitle};
inline constexpr AddedText confirmationTitle{106, common::texts::confirmationTitle};
inline constexpr AddedText yesText{107, common::texts::yes};
inline constexpr AddedText noText{108, common::texts::no};
inline constexpr AddedText cancelText{109, common::texts::cancel};
inline constexpr AddedText openTitle{110, common::texts::openTitle};
inline constexpr AddedText saveAsTitle{111, common::texts::saveAsTitle};
inline constexpr AddedText fileNotFound{112, common::texts::fileNotFound};
inline constexpr AddedText notAnInteger{113, common::texts::notAnInteger};
inline constexpr AddedText notAFloat{114, common::texts::notAFloat};
inline constexpr AddedText notADate{115, common::texts::notADate};
inline constexpr AddedText cannotOpen{116, common::texts::cannotOpen};
inline constexpr AddedText cannotCreate{117, common::texts::cannotCreate};
inline constexpr AddedText cannotWrite{118, common::texts::cannotWrite};
// The cable windows: a read, a programming that failed.
inline constexpr AddedText readError{119, u"Erreur de lecture"};
inline constexpr AddedText programmingError{120, u"Erreur de programmation"};
// The update window's file dialog filter.
inline constexpr AddedText cableListFilter{121, u"Liste des câbles (cable.txt)"};
// File menu: the cable list update on demand.
inline constexpr AddedText checkForUpdate{122, u"&Rechercher une mise à jour de la liste des câbles"};
// Secure downloads that stop before any data; %1 is the reason the TLS
// library or the proxy gave.
inline constexpr AddedText certificateRefused{123, u"Certificat du serveur refusé (%1)"};
inline constexpr AddedText secureConnectionFailed{124, u"Connexion sécurisée au serveur impossible (%1)"};
inline constexpr AddedText proxyRefused{125, u"Le proxy refuse la connexion au serveur (%1)"};

inline constexpr const AddedText *all[] = {
    &muxDisconnected, &listKept,           &downloadCancelled, &badAddress,      &cannotConnect,
    &serverSilent,    &downloadInterrupted, &fileTooLarge,     &unreadableReply, &listNotOnServer,
    &serverError,     &notACableList,       &cableMuxDisconnected, &downloadIncomplete, &unknownParity,
    &noCableChosen,   &packageLine, &portPermission,
    &errorTitle,
    &warningTitle,
    &informationTitle,
    &confirmationTitle,
    &yesText,
    &noText,
    &cancelText,
    &openTitle,
    &saveAsTitle,
    &fileNotFound,
    &notAnInteger,
    &notAFloat,
    &notADate,
    &cannotOpen,
    &cannotCreate,
    &cannotWrite,
    &readError,
    &programmingError,
    &cableListFilter, &checkForUpdate,    &certificateRefused, &secureConnectionFailed,
    &proxyRefused,
};

} // namespace configtool::added
