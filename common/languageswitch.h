#pragma once

#include "common/captiontable.h"
#include "common/languagemenu.h"
#include "common/settingsfile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace common {

// A program's language state: the language files of its folder, the current
// position and the applying of a file to every registered target. The main
// window gives it its language menu; windows and texts register in registry().
class LanguageSwitch {
public:
    // settings: where the chosen position is stored (GENERAL/Langue);
    // directory: the folder searched for "*.lng" files.
    LanguageSwitch(const CaptionTable &table, SettingsFile settings, QString directory);
    LanguageSwitch(const LanguageSwitch &) = delete;
    LanguageSwitch &operator=(const LanguageSwitch &) = delete;

    CaptionRegistry &registry() { return m_registry; }
    void setMenu(LanguageMenu *menu) { m_menu = menu; }

    const QString &directory() const { return m_directory; }
    const QStringList &paths() const { return m_paths; } // five slots
    const QStringList &names() const { return m_names; } // five slots
    int position() const { return m_position; }

    // Lists the folder's files and shows them in the menu; items once shown
    // stay shown. betweenEntries lets a window serve its events meanwhile.
    void listLanguages(const std::function<void()> &betweenEntries = {});
    // Start-up: takes the stored position, ticks it and applies its file; a
    // position without a file keeps the current captions. Throws UserError
    // (missing file: "Fichier introuvable").
    void start(int position);
    // The first start, with no position stored: the language of the locale
    // (see languagePositionForLocale), stored so that it holds from then on;
    // position 1 when the folder has no file for it.
    void startFromLocale(const QString &locale);
    // Applies the file of the current position, as start() does.
    void applyCurrent();
    // A language item: applies position 1..5, ticks it alone and stores it.
    // A position without a file does nothing; on a read error nothing changes.
    // Returns whether a language was applied.
    bool choose(int position);

private:
    QString pathAt(int position) const;

    CaptionRegistry m_registry;
    SettingsFile m_settings;
    QString m_directory;
    QStringList m_paths;
    QStringList m_names;
    int m_position = 1;
    LanguageMenu *m_menu = nullptr;
};

} // namespace common
