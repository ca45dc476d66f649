#include "common/languageswitch.h"

#include "common/inikeys.h"
#include "common/languagefiles.h"
#include "common/localelanguage.h"
#include "common/usererror.h"

namespace common {

namespace {

QStringList fiveSlots(QStringList list)
{
    while (list.size() < maxLanguages)
        list.append(QString());
    return list;
}

} // namespace

LanguageSwitch::LanguageSwitch(const CaptionTable &table, SettingsFile settings, QString directory)
    : m_registry(table), m_settings(std::move(settings)), m_directory(std::move(directory)),
      m_paths(fiveSlots({})), m_names(fiveSlots({}))
{
}

QString LanguageSwitch::pathAt(int position) const
{
    return languageFilePath({m_paths, m_names}, position);
}

void LanguageSwitch::listLanguages(const std::function<void()> &betweenEntries)
{
    const LanguageList found = listLanguageFiles(m_directory, betweenEntries);
    m_paths = fiveSlots(found.paths);
    m_names = fiveSlots(found.names);
    if (!m_menu)
        return;
    for (int k = 1; k <= maxLanguages; ++k) {
        if (!m_names.at(k - 1).isEmpty())
            m_menu->showLanguage(k, m_names.at(k - 1));
    }
}

void LanguageSwitch::start(int position)
{
    m_position = position;
    if (m_menu && position >= 1 && position <= maxLanguages)
        m_menu->setLanguageChecked(position, true);
    applyCurrent();
}

void LanguageSwitch::startFromLocale(const QString &locale)
{
    const int position = languagePositionForLocale(m_names, locale);
    if (position == 0) {
        start(1);
        return;
    }
    // A settings file that cannot be written is reported by the first choice
    // the user makes; the language still applies for this run.
    try {
        m_settings.Ecrire_fichier_ini(ini::general, ini::language, position);
    } catch (const UserError &) {
    }
    start(position);
}

void LanguageSwitch::applyCurrent()
{
    const QString path = pathAt(m_position);
    if (!path.isEmpty())
        m_registry.apply(readLanguageLines(path, m_registry.table().languageLines()));
}

bool LanguageSwitch::choose(int position)
{
    const QString path = pathAt(position);
    if (path.isEmpty())
        return false;
    // Read before changing anything, so a vanished file leaves the current
    // language in force everywhere.
    const QStringList lines = readLanguageLines(path, m_registry.table().languageLines());
    m_position = position;
    m_registry.apply(lines);
    if (m_menu) {
        for (int k = 1; k <= maxLanguages; ++k)
            m_menu->setLanguageChecked(k, k == position);
    }
    m_settings.Ecrire_fichier_ini(ini::general, ini::language, position);
    return true;
}

} // namespace common
