#pragma once

#include "acquisition/configurationsession.h"
#include "acquisition/journalfile.h"
#include "common/addedtexttranslator.h"
#include "acquisition/quorixlanguage.h"
#include "link/acquisitionlink.h"
#include "link/clock.h"
#include "link/eventpump.h"
#include "link/wsc.h"

#include <QString>

#include <memory>

namespace common {
class TAboutBox;
}

namespace acquisition {

class KeySink;
class Tconfig_form;
class TQuorix;

// Where Quorix keeps quorix.ini, finds its language files and keeps its
// journal of readings; empty means the executable's folder, and no journal.
// The {} lets callers leave the journal out without a warning.
struct QuorixFolders {
    QString settings;
    QString languages;
    QString journal {};
    QString records {}; // records of quorix.ini rewritten in place; empty: none
};

// Quorix's windows, created once in their fixed order (main window, whose
// creation finds the multiplexer, then the editor and the about box) and
// living for the whole run, over the serial ports of MUX_PORTS.
class QuorixProgram {
public:
    explicit QuorixProgram(KeySink &keys, const QuorixFolders &folders = {});
    ~QuorixProgram();

    TQuorix &mainWindow() { return *m_main; }
    Tconfig_form &editor() { return *m_editor; }
    common::TAboutBox &aboutBox() { return *m_about; }
    ConfigurationSession &session() { return m_session; }

private:
    muxlink::Wsc m_ports;
    muxlink::QtEventPump m_pump;
    muxlink::SteadyClock m_clock;
    muxlink::AcquisitionLink m_link {m_ports, m_pump, m_clock};
    ConfigurationSession m_session;
    common::SettingsFile m_settings;
    QuorixLanguage m_language;
    common::AddedTextTranslator m_translator;
    std::unique_ptr<JournalFile> m_journal;
    std::unique_ptr<TQuorix> m_main;
    std::unique_ptr<Tconfig_form> m_editor;
    std::unique_ptr<common::TAboutBox> m_about;
};

} // namespace acquisition
