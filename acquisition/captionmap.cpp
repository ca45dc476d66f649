#include "acquisition/captionmap.h"

namespace acquisition {

namespace {

constexpr CaptionLine kMap[] = {
    {2, u"Label13", u"Incrément vertical (défaut 0)"},
    {3, u"Label14", u"Incrément horizontal (défaut 1)"},
    {4, u"Label17", u"Incrément vertical pour série de mesures"},
    {5, u"Label18", u"suivante (défaut 1)"},
    {6, u"Label19", u"Incrément horizontal pour série de mesures"},
    {7, u"Label20", u"suivante (défaut 0)"},
    {8, u"Label21", u"Incrément vetical pour lot suivant "},
    {9, u"Label24", u"(défaut 1)"},
    {10, u"Label23", u"Incrément horizontal pour lot suivant"},
    {11, u"Label22", u"(défaut 0)"},
    {12, u"Label25", u"Taille du prélèvement"},
    {13, u"RadioGroup1[0]", u"Mesure en continu"},
    {14, u"RadioGroup1[1]", u"Mesure par lot"},
    {15, u"ModeMux[0]", u"Mode adressé"},
    {16, u"ModeMux[1]", u"Mode multiple"},
    {17, u"Label1", u"Instrument"},
    {18, u"Label2", u"Nombre de"},
    {19, u"Label11", u"mesures"},
    {20, u"Button2", u"Mesure"},
    {21, u"menuLine", u"&Fichier"},
    {22, u"Nouveau1", u"&Nouveau"},
    {23, u"Ouvrir1", u"&Ouvrir"},
    {24, u"Enregistrer1", u"&Enregistrer"},
    {26, u"menuExit", u"&Quitter"},
    {26, u"QuitterCtxt", u"&Quitter"},
    {27, caption::AboutBox, u"A propos de Quorix"},
    {28, u"label9", u"Mémoire disponible pour Windows :"},
    {29, u"Button1", u"&Support technique"},
    {30, u"Configuration1", u"&Configuration"},
    {30, u"ConfigurerCtxt", u"&Configurer"},
    {31, u"MinimiserCtxt", u"&Minimiser"},
    {33, u"Langue1", u"&Langue"},
    {34, u"Aide1", u"&Aide"},
    {35, u"Apropos2", u"A &propos"},
    {36, caption::msg_aucun_instrument, u""},
    {37, caption::msg_quitter, u""},
    {38, caption::msg_enregistrer, u""},
};

} // namespace

std::span<const CaptionLine> captionMap() { return kMap; }

bool isCaptionTarget(const QString &target)
{
    for (const CaptionLine &entry : captionMap()) {
        if (target == QStringView(entry.target))
            return true;
    }
    return false;
}

} // namespace acquisition
