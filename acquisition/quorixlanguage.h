#pragma once

#include "acquisition/addedmessages.h"
#include "acquisition/captiontargets.h"
#include "acquisition/configurationsession.h"
#include "acquisition/languagemenu.h"
#include "common/settingsfile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace acquisition {

// The texts the program shows in message boxes: the three of the caption map
// and the added messages. They start in French so a question is never shown
// blank before a language file is applied.
struct QuorixMessages {
    QString msg_aucun_instrument;
    QString msg_quitter;
    QString msg_enregistrer;
    common::AddedTexts added {added::all};

    static QuorixMessages builtIn();
};

// Quorix's language state and captions: the language files of the working
// directory, the current language, and the applying of a file to every
// registered caption target and to the messages. The main window owns one,
// gives it its "&Langue" menu and registers its controls in targets().
class QuorixLanguage {
public:
    // settings: quorix.ini; session: receives fichier_config at UpDateCaption;
    // languageDirectory: the working directory recorded at start-up.
    QuorixLanguage(common::SettingsFile settings, ConfigurationSession &session,
                   QString languageDirectory);
    QuorixLanguage(const QuorixLanguage &) = delete;
    QuorixLanguage &operator=(const QuorixLanguage &) = delete;

    CaptionTargets &targets() { return m_targets; }
    const QuorixMessages &messages() const { return m_messages; }
    void setMenu(LanguageMenu *menu) { m_menu = menu; }

    const QStringList &fichiers_langue() const { return m_paths; } // five slots
    const QStringList &noms_langue() const { return m_names; }     // five slots
    int langue() const { return m_langue; }

    // betweenEntries lets a window serve its events during the directory search.
    void ListerLangues(const std::function<void()> &betweenEntries = {});
    void AddMenuLang();
    // Applies the file of the current position; a position without a file
    // keeps the current captions. Throws common::UserError (missing file:
    // "Fichier introuvable").
    void AffectCaption();
    // Start-up: list the files, fill the menu, read quorix.ini (Langue and the
    // configuration path), tick the current language and apply it.
    void UpDateCaption(const std::function<void()> &betweenEntries = {});
    // A language item: apply position 1..5, tick it alone, store it in
    // quorix.ini. On a read error nothing changes.
    void chooseLanguage(int position);

private:
    QString currentFile() const;
    void apply(const QStringList &lines);

    common::SettingsFile m_settings;
    ConfigurationSession &m_session;
    QString m_directory;
    QStringList m_paths;
    QStringList m_names;
    int m_langue = 1;
    QuorixMessages m_messages = QuorixMessages::builtIn();
    CaptionTargets m_targets;
    LanguageMenu *m_menu = nullptr;
};

} // namespace acquisition
