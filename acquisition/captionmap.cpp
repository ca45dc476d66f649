#include "acquisition/captionmap.h"

#include "acquisition/addedmessages.h"

namespace acquisition {

namespace {

constexpr common::CaptionLine kMap[] = {
    {2, "Label13", u"Incrément vertical (défaut 0)"},
    {3, "Label14", u"Incrément horizontal (défaut 1)"},
    {4, "Label17", u"Incrément vertical pour série de mesures"},
    {5, "Label18", u"suivante (défaut 1)"},
    {6, "Label19", u"Incrément horizontal pour série de mesures"},
    {7, "Label20", u"suivante (défaut 0)"},
    {8, "Label21", u"Incrément vetical pour lot suivant "},
    {9, "Label24", u"(défaut 1)"},
    {10, "Label23", u"Incrément horizontal pour lot suivant"},
    {11, "Label22", u"(défaut 0)"},
    {12, "Label25", u"Taille du prélèvement"},
    {13, "RadioGroup1[0]", u"Mesure en continu"},
    {14, "RadioGroup1[1]", u"Mesure par lot"},
    {15, "ModeMux[0]", u"Mode adressé"},
    {16, "ModeMux[1]", u"Mode multiple"},
    {17, "Label1", u"Instrument"},
    {18, "Label2", u"Nombre de"},
    {19, "Label11", u"mesures"},
    {20, "Button2", u"Mesure"},
    {21, "menuLine", u"&Fichier"},
    {22, "Nouveau1", u"&Nouveau"},
    {23, "Ouvrir1", u"&Ouvrir"},
    {24, "Enregistrer1", u"&Enregistrer"},
    {26, "menuExit", u"&Quitter"},
    {26, "QuitterCtxt", u"&Quitter"},
    {27, caption::AboutBox, u"A propos de Quorix"},
    {28, "label9", u"Mémoire disponible pour Windows :"},
    {29, "Button1", u"&Support technique"},
    {30, "Configuration1", u"&Configuration"},
    {30, "ConfigurerCtxt", u"&Configurer"},
    {31, "MinimiserCtxt", u"&Minimiser"},
    {33, "Langue1", u"&Langue"},
    {34, "Aide1", u"&Aide"},
    {35, "Apropos2", u"A &propos"},
    {36, caption::msg_aucun_instrument, u""},
    {37, caption::msg_quitter, u""},
    {38, caption::msg_enregistrer, u""},
};

constexpr common::CaptionTable kTable(kMap, kCaptionLineCount, added::all);

} // namespace

const common::CaptionTable &captionTable() { return kTable; }

std::span<const common::CaptionLine> captionMap() { return kMap; }

} // namespace acquisition
