#pragma once

#include "acquisition/addedmessages.h"
#include "acquisition/configurationsession.h"
#include "common/languageswitch.h"
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

// Quorix's languages: the common language switch over Quorix's caption table,
// with the message texts registered in it and quorix.ini read at start-up.
// The main window owns one, gives it its "&Langue" menu and registers its
// controls in targets().
class QuorixLanguage {
public:
    // settings: quorix.ini; session: receives fichier_config at UpDateCaption;
    // languageDirectory: the working directory recorded at start-up.
    QuorixLanguage(common::SettingsFile settings, ConfigurationSession &session,
                   QString languageDirectory);
    QuorixLanguage(const QuorixLanguage &) = delete;
    QuorixLanguage &operator=(const QuorixLanguage &) = delete;

    common::CaptionRegistry &targets() { return m_switch.registry(); }
    const QuorixMessages &messages() const { return m_messages; }
    void setMenu(common::LanguageMenu *menu) { m_switch.setMenu(menu); }

    const QStringList &fichiers_langue() const { return m_switch.paths(); } // five slots
    const QStringList &noms_langue() const { return m_switch.names(); }     // five slots
    int langue() const { return m_switch.position(); }
    // The folder searched for language files: the program's own.
    const QString &directory() const { return m_switch.directory(); }

    // Applies the file of the current position; a position without a file
    // keeps the current captions. Throws common::UserError (missing file:
    // "Fichier introuvable").
    void AffectCaption() { m_switch.applyCurrent(); }
    // Start-up: list the files, fill the menu, read quorix.ini (Langue and the
    // configuration path), tick the current language and apply it.
    // betweenEntries lets a window serve its events during the directory search.
    void UpDateCaption(const std::function<void()> &betweenEntries = {});
    // A language item: apply position 1..5, tick it alone, store it in
    // quorix.ini. On a read error nothing changes.
    void chooseLanguage(int position) { m_switch.choose(position); }

private:
    common::SettingsFile m_settings;
    ConfigurationSession &m_session;
    QuorixMessages m_messages = QuorixMessages::builtIn();
    common::LanguageSwitch m_switch;
};

} // namespace acquisition
