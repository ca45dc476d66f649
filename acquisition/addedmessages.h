#pragma once

#include "common/addedtexts.h"
#include "common/commontexts.h"
#include "common/version.h"

// Quorix's messages beyond its 40-line caption map, one language line each.
//
// Adding one: declare it below with the next free line and its French text,
// append it to `all`, and append its line to every file of lang/quorix/ (the
// French text in Francais.lng). Show it with QuorixMessages::added.text(entry);
// a caption registers with CaptionRegistry::addAdded.
namespace acquisition::added {

using common::AddedText;

inline constexpr AddedText deviceLost{
    41, u"Le multiplexeur a été déconnecté. Reconnectez-le et relancez Quorix."};
// The help pages; %1 is the page's path.
inline constexpr AddedText helpPageMissing{42, u"Page d'aide introuvable : %1"};
// No longer shown (the pages open in Quorix's own window); the line stays taken.
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
// Typing on the keyboard: the message (%1 its reason), then the reasons.
inline constexpr AddedText cannotType{49, u"Impossible de taper les valeurs au clavier : %1"};
inline constexpr AddedText noDesktop{50, u"aucun bureau graphique (ni WAYLAND_DISPLAY ni DISPLAY)"};
inline constexpr AddedText noVirtualKeyboardNorPortal{51, u"le compositeur Wayland n'offre pas de clavier virtuel (zwp_virtual_keyboard_manager_v1) et le portail du bureau (org.freedesktop.portal.RemoteDesktop) est absent"};
inline constexpr AddedText badKeyOutput{52, u"la clé %1 de la section [%2] de %3 vaut « %4 » (valeurs possibles : auto, x11, wayland, portail)"};
inline constexpr AddedText portalNoSession{53, u"le portail du bureau n'a pas ouvert de session"};
inline constexpr AddedText keyboardNotGranted{54, u"le bureau n'a pas accordé le clavier à Quorix"};
inline constexpr AddedText noSessionBus{55, u"pas de bus de session D-Bus"};
inline constexpr AddedText portalNoRemoteKeyboard{56, u"le portail du bureau (org.freedesktop.portal.RemoteDesktop) n'offre pas de clavier à distance"};
inline constexpr AddedText portalError{57, u"le portail du bureau a répondu à %1 par une erreur : %2"};
inline constexpr AddedText portalNoAnswer{58, u"le portail du bureau n'a pas répondu (%1)"};
inline constexpr AddedText typingRefused{59, u"la permission de taper au clavier a été refusée"};
inline constexpr AddedText portalEndedRequest{60, u"le portail du bureau a mis fin à la demande (%1)"};
inline constexpr AddedText typingSessionClosed{61, u"le bureau a fermé la session de saisie de Quorix"};
inline constexpr AddedText xkbNotStarting{62, u"la bibliothèque xkbcommon ne démarre pas"};
inline constexpr AddedText keymapNotCompiling{63, u"la disposition du clavier virtuel ne se compile pas (données xkb absentes ?)"};
inline constexpr AddedText keymapNotWritten{64, u"la disposition du clavier virtuel ne s'écrit pas"};
inline constexpr AddedText noKeymapFile{65, u"pas de fichier en mémoire pour la disposition du clavier"};
inline constexpr AddedText keymapNotInMemory{66, u"la disposition du clavier ne s'écrit pas en mémoire"};
inline constexpr AddedText noVirtualKeyboard{67, u"le compositeur Wayland n'offre pas de clavier virtuel (zwp_virtual_keyboard_manager_v1)"};
inline constexpr AddedText noSeat{68, u"le compositeur Wayland n'a pas de siège (wl_seat)"};
inline constexpr AddedText keyNotInLayout{69, u"la touche %1 est absente de la disposition du clavier"};
inline constexpr AddedText noXTest{70, u"le serveur X n'a pas l'extension XTest"};
inline constexpr AddedText noXkb{71, u"le serveur X n'a pas l'extension XKB"};
inline constexpr AddedText xDisplayUnreachable{72, u"affichage X « %1 » inaccessible"};
inline constexpr AddedText noNumLock{73, u"la disposition du clavier n'a pas de verrouillage numérique"};
inline constexpr AddedText waylandDisplayUnreachable{74, u"affichage Wayland « %1 » inaccessible"};
inline constexpr AddedText virtualKeyboardRefused{75, u"le compositeur Wayland refuse le clavier virtuel à Quorix"};
inline constexpr AddedText waylandProtocolError{76, u"le compositeur Wayland a rompu la connexion (erreur de protocole sur %1)"};
inline constexpr AddedText waylandLost{77, u"la connexion au compositeur Wayland est perdue"};
inline constexpr AddedText waylandNotAnswering{78, u"le compositeur Wayland ne répond pas"};
// A port the user may not open; %1: its device.
inline constexpr AddedText portPermission{79, common::portPermissionFrench};

// The journal's day file is a FIFO, device or folder.
inline constexpr AddedText journalNotPlainFile{80, u"ce n'est pas un fichier ordinaire"};
// File > Journal when nothing opened the folder: copies its path.
inline constexpr AddedText copyPath{81, u"&Copier le chemin"};
// Titles and buttons of the message boxes and file dialogs, and the user errors.
inline constexpr AddedText errorTitle{82, common::texts::errorTitle};
inline constexpr AddedText warningTitle{83, common::texts::warningTitle};
inline constexpr AddedText informationTitle{84, common::texts::informationTitle};
inline constexpr AddedText confirmationTitle{85, common::texts::confirmationTitle};
inline constexpr AddedText yesText{86, common::texts::yes};
inline constexpr AddedText noText{87, common::texts::no};
inline constexpr AddedText cancelText{88, common::texts::cancel};
inline constexpr AddedText openTitle{89, common::texts::openTitle};
inline constexpr AddedText saveAsTitle{90, common::texts::saveAsTitle};
inline constexpr AddedText fileNotFound{91, common::texts::fileNotFound};
inline constexpr AddedText notAnInteger{92, common::texts::notAnInteger};
inline constexpr AddedText notAFloat{93, common::texts::notAFloat};
inline constexpr AddedText notADate{94, common::texts::notADate};
inline constexpr AddedText cannotOpen{95, common::texts::cannotOpen};
inline constexpr AddedText cannotCreate{96, common::texts::cannotCreate};
inline constexpr AddedText cannotWrite{97, common::texts::cannotWrite};
// The file dialogs' filters: the main window's, the editor's.
inline constexpr AddedText openFilter{98, u"Fichier de configuration Quorix (*.mux)"};
inline constexpr AddedText editorFilter{99, u"Fichier pour Tessal (*.mux)"};
// %1 the portal's method, %2 the D-Bus signature of its answer.
inline constexpr AddedText portalUnreadableAnswer{100, u"le portail du bureau a répondu à %1 dans une forme inattendue (%2)"};
// Notices: %1 the X display that could not be reached at start-up.
inline constexpr AddedText x11WindowUnreachable{101, u"L'affichage X « %1 » est inaccessible : la fenêtre de Quorix est une fenêtre Wayland, que le bureau peut placer derrière le tableur et qui prend le clavier quand on clique dessus. Après « Lecture », cliquez de nouveau dans le tableur."};
inline constexpr AddedText x11KeysOnWayland{102, u"Sortie=x11 dans une session Wayland : les touches n'atteignent que les fenêtres X11 (XWayland), pas les applications Wayland."};
// Start-up without a configuration: what it is, then one line per answer of
// the Oui/Non/Annuler question; %1 is the folder the example is copied to.
inline constexpr AddedText noConfigurationYet{
    103, u"Quorix n'a pas encore de configuration : elle dit quels instruments lire et où taper leurs valeurs."};
inline constexpr AddedText offerExample{104, u"Oui : ouvrir l'exemple, copié dans %1."};
inline constexpr AddedText offerNewConfiguration{105, u"Non : créer une nouvelle configuration."};
inline constexpr AddedText offerLater{106, u"Annuler : plus tard, par Fichier > Ouvrir ou Fichier > Nouveau."};
// After "Aucun instrument n'est configuré." when no configuration is loaded.
inline constexpr AddedText howToConfigure{
    107, u"Ouvrez une configuration (Fichier > Ouvrir) ou créez-en une (Fichier > Nouveau)."};
// The typing pace setting ([CLAVIER] Cadence) that is neither auto nor a number of ms.
inline constexpr AddedText badTypingPace{108, u"la clé %1 de la section [%2] de %3 vaut « %4 » (valeurs possibles : auto, ou de 0 à 1000 millisecondes entre deux touches)"};
// Shown in the main window while more than a few values wait to be typed; %1 how many.
inline constexpr AddedText valuesWaiting{109, u"%1 en attente"};

inline constexpr const AddedText *all[] = {&deviceLost,        &helpPageMissing,     &helpNoBrowser,
                                           &journalNotWritten, &journalTypingGoesOn, &noFileManager,
                                           &journalMenu,       &packageLine,
                                           &cannotType,
                                           &noDesktop,
                                           &noVirtualKeyboardNorPortal,
                                           &badKeyOutput,
                                           &portalNoSession,
                                           &keyboardNotGranted,
                                           &noSessionBus,
                                           &portalNoRemoteKeyboard,
                                           &portalError,
                                           &portalNoAnswer,
                                           &typingRefused,
                                           &portalEndedRequest,
                                           &typingSessionClosed,
                                           &xkbNotStarting,
                                           &keymapNotCompiling,
                                           &keymapNotWritten,
                                           &noKeymapFile,
                                           &keymapNotInMemory,
                                           &noVirtualKeyboard,
                                           &noSeat,
                                           &keyNotInLayout,
                                           &noXTest,
                                           &noXkb,
                                           &xDisplayUnreachable,
                                           &noNumLock,
                                           &waylandDisplayUnreachable,
                                           &virtualKeyboardRefused,
                                           &waylandProtocolError,
                                           &waylandLost,
                                           &waylandNotAnswering,
                                           &portPermission,
                                           &journalNotPlainFile,
                                           &copyPath,
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
                                           &openFilter,
                                           &editorFilter,
                                           &portalUnreadableAnswer,
                                           &x11WindowUnreachable,
                                           &x11KeysOnWayland,
                                           &noConfigurationYet,
                                           &offerExample,
                                           &offerNewConfiguration,
                                           &offerLater,
                                           &howToConfigure,
                                           &badTypingPace,
                                           &valuesWaiting};

} // namespace acquisition::added
