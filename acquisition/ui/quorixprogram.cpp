#include "acquisition/ui/quorixprogram.h"

#include "acquisition/ui/aboutcaptions.h"
#include "acquisition/ui/cfg_form.h"
#include "acquisition/ui/ondo_pgm.h"
#include "common/ui/apropos.h"

#include <QCoreApplication>
#include <QDateTime>

namespace acquisition {

QuorixProgram::QuorixProgram(KeySink &keys, const QuorixFolders &folders)
    : m_settings(QStringLiteral("quorix.ini"), folders.settings, folders.records),
      m_language(m_settings, m_session,
                 folders.languages.isEmpty() ? QCoreApplication::applicationDirPath() : folders.languages),
      m_translator(m_language.messages().added, added::all)
{
    m_main = std::make_unique<TQuorix>(m_link, m_pump, m_session, m_language, m_settings, keys);
    // Secondary windows of the main window: the window manager keeps them above
    // it, and closing one never counts as closing the program's last window.
    m_editor = std::make_unique<Tconfig_form>(m_session, m_language.messages(), m_settings, m_main.get());
    m_editor->registerCaptions(m_language.targets());
    m_about = std::make_unique<common::TAboutBox>(common::AboutProgram::quorix(), m_main.get());
    registerAboutBoxCaptions(m_language.targets(), *m_about);
    m_main->attach(*m_editor, *m_about);
    if (!folders.journal.isEmpty()) {
        TQuorix *main = m_main.get();
        m_journal = std::make_unique<JournalFile>(
            folders.journal,
            JournalFile::Context {[] { return QDateTime::currentDateTime(); },
                                  [this] { return m_session.fichier_config; },
                                  [main](const QString &where, const QString &reason) {
                                      main->showJournalFailure(where, reason);
                                  },
                                  [this] { return m_language.messages().added.text(added::journalNotPlainFile); }});
        m_main->setJournal(m_journal.get());
    }
}

QuorixProgram::~QuorixProgram() = default;

} // namespace acquisition
