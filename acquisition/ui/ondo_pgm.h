#pragma once

#include "acquisition/configurationsession.h"
#include "acquisition/cycleview.h"
#include "common/addedtexts.h"
#include "common/desktopopener.h"
#include "common/languagemenu.h"
#include "common/settingsfile.h"
#include "common/ui/messages.h"
#include "common/ui/windowhelpers.h"

#include <QMainWindow>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace common {
class CaptionRegistry;
class TAboutBox;
}
namespace muxlink {
class AcquisitionLink;
class EventPump;
} // namespace muxlink

namespace acquisition {

class AcquisitionCycle;
class Cursor;
class JournalFile;
class KeySink;
class PacedTyping;
class TargetActivity;
class QuorixLanguage;
class Tconfig_form;

// Quorix's main window: a small tool window that floats above the application
// receiving the values and never takes the keyboard focus from it. Its
// creation finds the multiplexer; "Lecture" runs the acquisition cycle inside
// the timer's tick until "Stop".
class TQuorix : public QMainWindow, public CycleView, public common::LanguageMenu, public common::GuardedHandlers<TQuorix> {
    Q_OBJECT
public:
    // Scans the ports (FormCreate); without a multiplexer it beeps and says so,
    // and muxFound() stays false.
    TQuorix(muxlink::AcquisitionLink &link, muxlink::EventPump &pump, ConfigurationSession &session,
            QuorixLanguage &language, common::SettingsFile settings, KeySink &keys,
            QWidget *parent = nullptr);
    ~TQuorix() override;

    // The editor and the about box are created after the main window.
    void attach(Tconfig_form &editor, common::TAboutBox &about);
    // The journal of readings, after attach(); none hides "Journal".
    void setJournal(JournalFile *journal);

    // What the window asks of its surroundings; tests replace them.
    struct Hooks {
        std::function<QString()> chooseOpenPath; // empty: cancelled
        std::function<void(const QUrl &)> openHelp;
        // Calls back, possibly later, with false when nothing could open it.
        std::function<void(const QUrl &, std::function<void(bool opened)>)> openFolder;
        std::function<void()> endProgram;
    };
    Hooks hooks;

    // For compositors that give the keyboard to any window clicked: the
    // window is kept out of the window manager's hands (never focused, always
    // above, not movable) and steps aside while a dialog is up.
    void keepOutOfWindowManager();
    // The desktop's own permission dialog is up (true) or gone (false): the
    // window steps aside for it as for its own dialogs. Calls come in pairs.
    void desktopAsking(bool asking);
    // A notice that leaves the window usable, in the current language.
    void showAddedNotice(const common::AddedText &text, const QStringList &arguments = {});

    bool muxFound() const { return m_muxFound; }
    bool activated() const { return m_activated; }

    // Handlers.
    void FormActivate();
    void btn_readClick();
    void ToolButton5Click();
    void btn_repriseClick();
    void TimerTimer();
    void Nouveau1Click();
    void Ouvrir1Click();
    void Configuration1Click();
    void Journal1Click();
    // The journal's folder when nothing opened it, with a button that copies its path.
    void showJournalFolder(const QString &shown);
    void Aide1Click();
    void Apropos2Click();
    void menuExitClick();
    void languageClick(int position); // L11Click .. L51Click

    bool quitter_app();
    common::Answer enregistrer_config();

    // True once "Stop" or closing asked the cycle to end.
    bool arret_demande() const;
    // The keys on their way to the target, paced and queued when it needs it.
    PacedTyping &typing() { return *m_typing; }

    QToolBar *ToolBar1;
    QToolButton *btn_read;
    QToolButton *Stop;
    QToolButton *btn_reprise;
    QMenu *menuLine;
    QAction *Nouveau1;
    QAction *Ouvrir1;
    QAction *Configuration1;
    QAction *Journal1;
    QAction *menuExit;
    QMenu *Langue1;
    std::array<QAction *, 5> languageItems{}; // L11, L21, L31, L41, L51
    QMenu *aide;
    QAction *Aide1;
    QAction *Apropos2;
    QMenu *MenuTray;
    QAction *ConfigurerCtxt;
    QAction *MinimiserCtxt;
    QAction *QuitterCtxt;
    QLineEdit *Edit1;
    QTimer *Timer;
    QLabel *waitingValues; // "12 en attente", over the buttons

    // CycleView
    void setCommands(const CommandState &state) override;
    void setTimerEnabled(bool enabled) override;
    void setValueHolder(const QString &text) override;
    void showNoInstrument() override;
    void showError(const QString &text) override;
    void showTypingFailure(const CannotType &failure) override;
    void showDeviceLost() override;

    // A journal that cannot be written: said without stopping the typing.
    // `where` is the file or folder, `reason` the system's.
    void showJournalFailure(const QString &where, const QString &reason);

    // LanguageMenu
    void showLanguage(int position, const QString &name) override;
    void setLanguageChecked(int position, bool checked) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createToolBar();
    void createMenus();
    void registerCaptions(common::CaptionRegistry &targets);
    void setDefaultHooks();
    void FormCreate();
    void writeDemoWhenNoFile();
    void offerFirstConfiguration();
    void openConfiguration(const QString &path);
    void showEditor();
    // Runs a modal dialog or box with the window taken out of the stay-on-top
    // style, so that the dialog is not hidden behind it.
    void withNormalStyle(const std::function<void()> &dialog);
    void enterNormalStyle();
    void leaveNormalStyle();
    void stepAside(bool aside);
    void typingChanged();
    QString readTypingPace();
    // Every value read is typed before the program ends.
    void endProgramWhenTyped();

    muxlink::AcquisitionLink &m_link;
    muxlink::EventPump &m_pump;
    ConfigurationSession &m_session;
    QuorixLanguage &m_language;
    common::SettingsFile m_settings;
    KeySink &m_keys;
    std::unique_ptr<TargetActivity> m_targetActivity;
    std::unique_ptr<PacedTyping> m_typing;
    Tconfig_form *m_editor = nullptr;
    common::TAboutBox *m_about = nullptr;
    JournalFile *m_journal = nullptr;
    common::DesktopOpener m_opener;
    std::unique_ptr<Cursor> m_cursor;
    std::unique_ptr<AcquisitionCycle> m_cycle;
    bool m_muxFound = false;
    bool m_preparingKeys = false;
    bool m_endWhenTyped = false;
    bool m_unmanaged = false;
    bool m_activated = false;
    int m_normalStyleDepth = 0; // dialogs open, one inside the other
    bool m_hiddenForDialog = false;
};

} // namespace acquisition
