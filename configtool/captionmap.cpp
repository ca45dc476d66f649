#include "configtool/captionmap.h"

#include "configtool/addedmessages.h"

#include <array>

namespace configtool {

namespace {

// clang-format off
constexpr std::array entries = {
    CaptionLine{1, "TForm1.Fichier1", u"&Fichier"},
    CaptionLine{2, "TForm1.Effacerlazonetampon1", u"Effacer la &zone tampon"},
    CaptionLine{3, "TForm1.Quiter1", u"&Quitter"},
    CaptionLine{4, "TForm1.Langue1", u"&Langue"},
    CaptionLine{5, "TForm1.Aide1", u"&A propos"},
    CaptionLine{6, "TForm1.btn_connexion", u"Connexion multiplexeur"},
    CaptionLine{8, "TForm1.btn_selection", u"Sélection instrument"},
    CaptionLine{9, "TForm1.inst1", u"Instrument &1"},
    CaptionLine{10, "TForm1.inst2", u"Instrument &2"},
    CaptionLine{11, "TForm1.inst3", u"Instrument &3"},
    CaptionLine{12, "TForm1.inst4", u"Instrument &4"},
    CaptionLine{13, "TForm1.inst5", u"Instrument &5"},
    CaptionLine{14, "TForm1.inst6", u"Instrument &6"},
    CaptionLine{15, "TForm1.inst7", u"Instrument &7"},
    CaptionLine{16, "TForm1.inst8", u"Instrument &8"},
    CaptionLine{17, "TForm1.btn_lecture", u"Lire instrument"},
    CaptionLine{18, "TForm1.btn_snumber", u"Numéro de série"},
    CaptionLine{19, "TForm1.btn_config", u"Configuration câble"},
    CaptionLine{20, "AboutBox.caption", u"A propos de Setrix"},
    CaptionLine{21, "AboutBox.Label7", u"Version 1.0 (04/2002)"},
    CaptionLine{22, "AboutBox.label9", u"Mémoire disponible pour Windows :"},
    CaptionLine{23, "AboutBox.Button1", u"&Support technique"},
    CaptionLine{24, "TForm2.r_vitesse", u"Vitesse"},
    CaptionLine{24, "TForm4.r_vitesse", u"Vitesse"},
    CaptionLine{25, "TForm2.r_parite", u"Parité"},
    CaptionLine{25, "TForm4.r_parite", u"Parité"},
    CaptionLine{26, "TForm2.c_parite.0", u"SANS"},
    CaptionLine{26, "TForm4.c_parite.0", u"SANS"},
    CaptionLine{26, "TForm2.c_parite.text", u"SANS"},
    CaptionLine{26, "parity.0", u"SANS"},
    CaptionLine{27, "TForm2.c_parite.1", u"PAIRE"},
    CaptionLine{27, "TForm4.c_parite.1", u"PAIRE"},
    CaptionLine{27, "parity.1", u"PAIRE"},
    CaptionLine{28, "TForm2.c_parite.2", u"IMPAIRE"},
    CaptionLine{28, "TForm4.c_parite.2", u"IMPAIRE"},
    CaptionLine{28, "parity.2", u"IMPAIRE"},
    CaptionLine{29, "TForm2.r_donnees", u"Nb de bits"},
    CaptionLine{29, "TForm4.r_donnees", u"Nb de bits"},
    CaptionLine{30, "TForm2.caption", u"Programmation câble"},
    CaptionLine{30, "TForm4.caption", u"Programmation câble Vantor"},
    CaptionLine{31, "TForm2.r_offset", u"Offset"},
    CaptionLine{31, "TForm4.r_offset", u"Offset"},
    CaptionLine{32, "TForm2.r_fintrame", u"Fin de trame"},
    CaptionLine{32, "TForm4.r_fintrame", u"Fin de trame"},
    CaptionLine{33, "TForm2.r_unite", u"Unité"},
    CaptionLine{33, "TForm4.r_unite", u"Unité"},
    CaptionLine{35, "TForm2.ch_interr", u"Chaîne d'interrogation"},
    CaptionLine{35, "TForm4.ch_interr", u"Chaîne d'interrogation"},
    CaptionLine{36, "TForm2.btn_prog", u"Programmer"},
    CaptionLine{36, "TForm4.btn_prog", u"Programmer"},
    CaptionLine{36, "TForm2.Button3", u"Programmer"},
    CaptionLine{37, "TForm2.btn_lire", u"Lire"},
    CaptionLine{37, "TForm4.btn_lire", u"Lire"},
    CaptionLine{37, "TForm2.Button2", u"Lire"},
    CaptionLine{38, "message.38", u""},
    CaptionLine{39, "message.39", u""},
    CaptionLine{40, "message.40", u""},
    CaptionLine{41, "message.41", u""},
    CaptionLine{42, "message.42", u""},
    CaptionLine{43, "message.43", u""},
    CaptionLine{44, "message.44", u""},
    CaptionLine{45, "message.45", u""},
    CaptionLine{46, "message.46", u""},
    CaptionLine{47, "message.47", u""},
    CaptionLine{48, "message.48", u""},
    CaptionLine{49, "message.49", u""},
    CaptionLine{50, "message.50", u""},
    CaptionLine{51, "message.51", u""},
    CaptionLine{52, "message.52", u""},
    CaptionLine{53, "message.53", u""},
    CaptionLine{54, "message.54", u""},
    CaptionLine{55, "message.55", u""},
    CaptionLine{56, "message.56", u""},
    CaptionLine{57, "message.57", u""},
    CaptionLine{58, "TForm3.Button3", u"&Rechercher..."},
    CaptionLine{59, "TForm3.Button2", u"&Annuler"},
    CaptionLine{60, "TForm3.caption", u"Mise à jour"},
    CaptionLine{61, "TForm4.r_liaison", u"Type de liaison"},
    CaptionLine{62, "message.62", u""},
    CaptionLine{63, "message.63", u""},
    CaptionLine{69, "TForm6.caption", u"Configuration"},
    CaptionLine{69, "TForm1.Configurer1", u"&Configurer"},
    CaptionLine{72, "TForm2.Label2", u"Chaînes d'interrogation"},
    // The retro button, and the generic caption of the retro-commands without one.
    CaptionLine{72, "TForm1.retrocommandes", u"btn_retrocommande"},
    CaptionLine{73, "TForm6.Lecture", u"Lecture"},
    CaptionLine{74, "TForm6.GroupBox2", u"Instruments"},
    CaptionLine{75, "TForm6.GroupBox1", u"Rétro-commandes"},
    CaptionLine{76, "TForm6.Lecture.0", u"Mode adressé"},
    CaptionLine{77, "TForm6.Lecture.1", u"Mode multiple"},
    CaptionLine{78, "TForm6.Button2", u"Annuler"},
    CaptionLine{79, "TForm6.Button1", u"OK"},
    CaptionLine{80, "TForm2.Label3", u"Valeur affichée pour tension mini :"},
    CaptionLine{81, "TForm2.Label4", u"Valeur affichée pour tension maxi :"},
    CaptionLine{82, "TForm2.Label5", u"Nombre de décimales :"},
    CaptionLine{83, "TForm7.ComboBox1.0", u"Analogique"},
    CaptionLine{84, "TForm7.Label1", u"Type de câble :"},
};
// clang-format on

constexpr common::CaptionTable table(entries, languageLineCount, added::all);

} // namespace

const common::CaptionTable &captionTable()
{
    return table;
}

std::span<const CaptionLine> captionMap()
{
    return entries;
}

QString builtInCaption(const QString &target)
{
    return table.builtIn(target);
}

} // namespace configtool
