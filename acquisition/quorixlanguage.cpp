#include "acquisition/quorixlanguage.h"

#include "acquisition/captionmap.h"
#include "common/languagefiles.h"
#include "acquisition/quorixini.h"
#include "acquisition/quorixsettings.h"

#include <algorithm>

namespace acquisition {

namespace {

// The caption map's lines and the added messages'.
int languageLines(const QuorixMessages &messages)
{
    return std::max(kCaptionLineCount, messages.added.lastLine());
}

QStringList fiveSlots(QStringList list)
{
    while (list.size() < common::maxLanguages)
        list.append(QString());
    return list;
}

} // namespace

QuorixMessages QuorixMessages::builtIn()
{
    return {QStringLiteral("Aucun instrument n'est configuré."),
            QStringLiteral("Voulez-vous quitter Quorix ?"),
            QStringLiteral("La configuration a été modifiée. Voulez-vous l'enregistrer ?")};
}

QuorixLanguage::QuorixLanguage(common::SettingsFile settings, ConfigurationSession &session,
                               QString languageDirectory)
    : m_settings(std::move(settings)), m_session(session), m_directory(std::move(languageDirectory)),
      m_paths(fiveSlots({})), m_names(fiveSlots({}))
{
    m_targets.add(QString::fromUtf16(caption::msg_aucun_instrument),
                  [this](const QString &text) { m_messages.msg_aucun_instrument = text; });
    m_targets.add(QString::fromUtf16(caption::msg_quitter),
                  [this](const QString &text) { m_messages.msg_quitter = text; });
    m_targets.add(QString::fromUtf16(caption::msg_enregistrer),
                  [this](const QString &text) { m_messages.msg_enregistrer = text; });
}

void QuorixLanguage::ListerLangues(const std::function<void()> &betweenEntries)
{
    const common::LanguageList found = common::listLanguageFiles(m_directory, betweenEntries);
    m_paths = fiveSlots(found.paths);
    m_names = fiveSlots(found.names);
}

void QuorixLanguage::AddMenuLang()
{
    if (!m_menu)
        return;
    // Items once shown stay shown.
    for (int k = 1; k <= common::maxLanguages; ++k) {
        if (!m_names.at(k - 1).isEmpty())
            m_menu->showLanguage(k, m_names.at(k - 1));
    }
}

QString QuorixLanguage::currentFile() const
{
    return common::languageFilePath({m_paths, m_names}, m_langue);
}

void QuorixLanguage::AffectCaption()
{
    const QString path = currentFile();
    if (!path.isEmpty())
        apply(common::readLanguageLines(path, languageLines(m_messages)));
}

void QuorixLanguage::apply(const QStringList &lines)
{
    m_targets.apply(lines);
    m_messages.added.apply(lines);
}

void QuorixLanguage::UpDateCaption(const std::function<void()> &betweenEntries)
{
    ListerLangues(betweenEntries);
    AddMenuLang();
    const QuorixSettings read = readQuorixSettings(m_settings);
    m_langue = read.langue;
    m_session.fichier_config = read.fichierConfig;
    if (m_menu && m_langue >= 1 && m_langue <= common::maxLanguages)
        m_menu->setLanguageChecked(m_langue, true);
    AffectCaption();
}

void QuorixLanguage::chooseLanguage(int position)
{
    const QString path = common::languageFilePath({m_paths, m_names}, position);
    if (path.isEmpty())
        return;
    // Read before changing anything, so a vanished file leaves the current
    // language in force everywhere.
    const QStringList lines = common::readLanguageLines(path, languageLines(m_messages));
    m_langue = position;
    apply(lines);
    if (m_menu) {
        for (int k = 1; k <= common::maxLanguages; ++k)
            m_menu->setLanguageChecked(k, k == position);
    }
    m_settings.Ecrire_fichier_ini(ini::general, ini::language, position);
}

} // namespace acquisition
