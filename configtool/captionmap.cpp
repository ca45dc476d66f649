#include "configtool/captionmap.h"

#include <array>

namespace configtool {

namespace {

// clang-format off
constexpr std::array entries = {
    CaptionEntry{1, "TForm1.Fichier1", "&Fichier"},
    CaptionEntry{2, "TForm1.Effacerlazonetampon1", "Effacer la &zone tampon"},
    CaptionEntry{3, "TForm1.Quiter1", "&Quitter"},
    CaptionEntry{4, "TForm1.Langue1", "&Langue"},
    CaptionEntry{5, "TForm1.Aide1", "&A propos"},
    CaptionEntry{6, "TForm1.btn_connexion", "Connexion multiplexeur"},
    CaptionEntry{8, "TForm1.btn_selection", "Sélection instrument"},
    CaptionEntry{9, "TForm1.inst1", "Instrument &1"},
    CaptionEntry{10, "TForm1.inst2", "Instrument &2"},
    CaptionEntry{11, "TForm1.inst3", "Instrument &3"},
    CaptionEntry{12, "TForm1.inst4", "Instrument &4"},
    CaptionEntry{13, "TForm1.inst5", "Instrument &5"},
    CaptionEntry{14, "TForm1.inst6", "Instrument &6"},
    CaptionEntry{15, "TForm1.inst7", "Instrument &7"},
    CaptionEntry{16, "TForm1.inst8", "Instrument &8"},
    CaptionEntry{17, "TForm1.btn_lecture", "Lire instrument"},
    CaptionEntry{18, "TForm1.btn_snumber", "Numéro de série"},
    CaptionEntry{19, "TForm1.btn_config", "Configuration câble"},
    CaptionEntry{20, "AboutBox.caption", "A propos de Setrix"},
    CaptionEntry{21, "AboutBox.Label7", "Version 1.0 (04/2002)"},
    CaptionEntry{22, "AboutBox.label9", "Mémoire disponible pour Windows :"},
    CaptionEntry{23, "AboutBox.Button1", "&Support technique"},
    CaptionEntry{24, "TForm2.r_vitesse", "Vitesse"},
    CaptionEntry{24, "TForm4.r_vitesse", "Vitesse"},
    CaptionEntry{25, "TForm2.r_parite", "Parité"},
    CaptionEntry{25, "TForm4.r_parite", "Parité"},
    CaptionEntry{26, "TForm2.c_parite.0", "SANS"},
    CaptionEntry{26, "TForm4.c_parite.0", "SANS"},
    CaptionEntry{26, "TForm2.c_parite.text", "SANS"},
    CaptionEntry{26, "parity.0", "SANS"},
    CaptionEntry{27, "TForm2.c_parite.1", "PAIRE"},
    CaptionEntry{27, "TForm4.c_parite.1", "PAIRE"},
    CaptionEntry{27, "parity.1", "PAIRE"},
    CaptionEntry{28, "TForm2.c_parite.2", "IMPAIRE"},
    CaptionEntry{28, "TForm4.c_parite.2", "IMPAIRE"},
    CaptionEntry{28, "parity.2", "IMPAIRE"},
    CaptionEntry{29, "TForm2.r_donnees", "Nb de bits"},
    CaptionEntry{29, "TForm4.r_donnees", "Nb de bits"},
    CaptionEntry{30, "TForm2.caption", "Programmation câble"},
    CaptionEntry{30, "TForm4.caption", "Programmation câble Vantor"},
    CaptionEntry{31, "TForm2.r_offset", "Offset"},
    CaptionEntry{31, "TForm4.r_offset", "Offset"},
    CaptionEntry{32, "TForm2.r_fintrame", "Fin de trame"},
    CaptionEntry{32, "TForm4.r_fintrame", "Fin de trame"},
    CaptionEntry{33, "TForm2.r_unite", "Unité"},
    CaptionEntry{33, "TForm4.r_unite", "Unité"},
    CaptionEntry{35, "TForm2.ch_interr", "Chaîne d'interrogation"},
    CaptionEntry{35, "TForm4.ch_interr", "Chaîne d'interrogation"},
    CaptionEntry{36, "TForm2.btn_prog", "Programmer"},
    CaptionEntry{36, "TForm4.btn_prog", "Programmer"},
    CaptionEntry{36, "TForm2.Button3", "Programmer"},
    CaptionEntry{37, "TForm2.btn_lire", "Lire"},
    CaptionEntry{37, "TForm4.btn_lire", "Lire"},
    CaptionEntry{37, "TForm2.Button2", "Lire"},
    CaptionEntry{38, "message.38", ""},
    CaptionEntry{39, "message.39", ""},
    CaptionEntry{40, "message.40", ""},
    CaptionEntry{41, "message.41", ""},
    CaptionEntry{42, "message.42", ""},
    CaptionEntry{43, "message.43", ""},
    CaptionEntry{44, "message.44", ""},
    CaptionEntry{45, "message.45", ""},
    CaptionEntry{46, "message.46", ""},
    CaptionEntry{47, "message.47", ""},
    CaptionEntry{48, "message.48", ""},
    CaptionEntry{49, "message.49", ""},
    CaptionEntry{50, "message.50", ""},
    CaptionEntry{51, "message.51", ""},
    CaptionEntry{52, "message.52", ""},
    CaptionEntry{53, "message.53", ""},
    CaptionEntry{54, "message.54", ""},
    CaptionEntry{55, "message.55", ""},
    CaptionEntry{56, "message.56", ""},
    CaptionEntry{57, "message.57", ""},
    CaptionEntry{58, "TForm3.Button3", "&Rechercher..."},
    CaptionEntry{59, "TForm3.Button2", "&Annuler"},
    CaptionEntry{60, "TForm3.caption", "Mise à jour"},
    CaptionEntry{61, "TForm4.r_liaison", "Type de liaison"},
    CaptionEntry{62, "message.62", ""},
    CaptionEntry{63, "message.63", ""},
    CaptionEntry{69, "TForm6.caption", "Configuration"},
    CaptionEntry{69, "TForm1.Configurer1", "&Configurer"},
    CaptionEntry{72, "TForm2.Label2", "Chaînes d'interrogation"},
    // The retro button, and the generic caption of the retro-commands without one.
    CaptionEntry{72, "TForm1.retrocommandes", "btn_retrocommande"},
    CaptionEntry{73, "TForm6.Lecture", "Lecture"},
    CaptionEntry{74, "TForm6.GroupBox2", "Instruments"},
    CaptionEntry{75, "TForm6.GroupBox1", "Rétro-commandes"},
    CaptionEntry{76, "TForm6.Lecture.0", "Mode adressé"},
    CaptionEntry{77, "TForm6.Lecture.1", "Mode multiple"},
    CaptionEntry{78, "TForm6.Button2", "Annuler"},
    CaptionEntry{79, "TForm6.Button1", "OK"},
    CaptionEntry{80, "TForm2.Label3", "Valeur affichée pour tension mini :"},
    CaptionEntry{81, "TForm2.Label4", "Valeur affichée pour tension maxi :"},
    CaptionEntry{82, "TForm2.Label5", "Nombre de décimales :"},
    CaptionEntry{83, "TForm7.ComboBox1.0", "Analogique"},
    CaptionEntry{84, "TForm7.Label1", "Type de câble :"},
};
// clang-format on

const CaptionEntry *findEntry(const QString &target)
{
    for (const CaptionEntry &e : entries) {
        if (target == QLatin1String(e.target))
            return &e;
    }
    return nullptr;
}

} // namespace

std::span<const CaptionEntry> captionMap()
{
    return entries;
}

QString builtInCaption(const QString &target)
{
    const CaptionEntry *e = findEntry(target);
    return e ? QString::fromUtf8(e->builtIn) : QString();
}

bool CaptionRegistry::add(const QString &target, Setter setter)
{
    if (!findEntry(target) || !setter)
        return false;
    m_setters.insert(target, std::move(setter));
    return true;
}

void CaptionRegistry::apply(const QStringList &lines) const
{
    for (const CaptionEntry &e : entries) {
        const auto setter = m_setters.constFind(QLatin1String(e.target));
        if (setter != m_setters.cend())
            (*setter)(e.line <= lines.size() ? lines.at(e.line - 1) : QString());
    }
}

bool CaptionRegistry::addWithBuiltIn(const QString &target, Setter setter)
{
    if (!add(target, setter))
        return false;
    setter(builtInCaption(target));
    return true;
}

} // namespace configtool
