#pragma once

#include <QString>

// Texts that common code shows in both programs, in French. Each program
// declares them among its added texts (with these French defaults) and
// installs an AddedTextTranslator, so they follow the language chosen.
namespace common::texts {

// Message box titles and buttons.
inline constexpr char16_t errorTitle[] = u"Erreur";
inline constexpr char16_t warningTitle[] = u"Avertissement";
inline constexpr char16_t informationTitle[] = u"Information";
inline constexpr char16_t confirmationTitle[] = u"Confirmation";
inline constexpr char16_t yes[] = u"&Oui";
inline constexpr char16_t no[] = u"&Non";
inline constexpr char16_t cancel[] = u"Annuler";
// File dialog titles.
inline constexpr char16_t openTitle[] = u"Ouvrir";
inline constexpr char16_t saveAsTitle[] = u"Enregistrer sous";
// common::UserError; %1 is the value or the path.
inline constexpr char16_t fileNotFound[] = u"Fichier introuvable";
inline constexpr char16_t notAnInteger[] = u"'%1' n'est pas une valeur entière correcte";
inline constexpr char16_t notAFloat[] = u"'%1' n'est pas une valeur en virgule flottante correcte";
inline constexpr char16_t notADate[] = u"'%1' n'est pas une date correcte";
inline constexpr char16_t cannotOpen[] = u"Impossible d'ouvrir le fichier %1";
inline constexpr char16_t cannotCreate[] = u"Impossible de créer le fichier %1";
inline constexpr char16_t cannotWrite[] = u"Impossible d'écrire dans %1";

} // namespace common::texts

namespace common {

// A French text of the code in the language applied (see AddedTextTranslator);
// the French itself when no language gives it.
QString inLanguage(const char16_t *french);

} // namespace common
