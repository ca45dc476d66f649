#include "acquisition/ui/ondo_pgm.h"

#include "acquisition/configfile.h"
#include "acquisition/cursor.h"
#include "acquisition/cycle.h"
#include "acquisition/exampleconfiguration.h"
#include "acquisition/journalfile.h"
#include "acquisition/keysink.h"
#include "acquisition/pacedtyping.h"
#include "acquisition/targetactivity.h"
#include "acquisition/quorixini.h"
#include "acquisition/quorixlanguage.h"
#include "acquisition/ui/cfg_form.h"
#include "acquisition/ui/helptexts.h"
#include "common/commontexts.h"
#include "common/filelocations.h"
#include "common/terminal.h"
#include "common/ui/apropos.h"
#include "common/ui/helppage.h"
#include "common/usererror.h"
#include "link/acquisitionlink.h"
#include "link/eventpump.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <utility>

static void initIconResources() { Q_INIT_RESOURCE(quorix_icons); }

namespace acquisition {

namespace {

constexpr int kClientWidth = 171;
constexpr int kClientHeight = 58;
constexpr int kIconSize = 50;
constexpr int kTimerMs = 50;
// A queue this long is normal between two readings; beyond, the window says so.
constexpr int kValuesWaitingShownAbove = 3;

QString noMultiplexerText()
{
    return QStringLiteral("Aucun multiplexeur détecté\n\rConnectez votre multiplexeur et relancez Quorix");
}

} // namespace

TQuorix::TQuorix(muxlink::AcquisitionLink &link, muxlink::EventPump &pump, ConfigurationSession &session,
                 QuorixLanguage &language, common::SettingsFile settings, KeySink &keys, QWidget *parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_link(link), m_pump(pump), m_session(session), m_language(language), m_settings(std::move(settings)),
      m_keys(keys), m_targetActivity(std::make_unique<TargetActivity>(link.clock())),
      m_typing(std::make_unique<PacedTyping>(keys, link.clock()))
{
    initIconResources();
    setWindowTitle(QStringLiteral("Quorix"));
    // A click on the window must leave the keyboard focus where the values go.
    setAttribute(Qt::WA_ShowWithoutActivating);
    createToolBar();
    createMenus();
    setCommands(CommandState {});
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    Edit1 = new QLineEdit(this);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->hide();
    waitingValues = new QLabel(this);
    waitingValues->setAttribute(Qt::WA_TransparentForMouseEvents);
    waitingValues->setStyleSheet(QStringLiteral("background: #fff3c4; color: black; padding: 0 2px;"));
    waitingValues->hide();
    m_typing->setChanged([this] { typingChanged(); });
    m_typing->setBusyCheck([this] { return m_targetActivity->busy(); });
    Timer = new QTimer(this);
    Timer->setInterval(kTimerMs);
    connect(Timer, &QTimer::timeout, this, &TQuorix::TimerTimer);

    m_language.setMenu(this);
    registerCaptions(m_language.targets());
    setDefaultHooks();
    FormCreate();
}

TQuorix::~TQuorix()
{
    m_language.setMenu(nullptr);
}

void TQuorix::createToolBar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(kIconSize, kIconSize));
    ToolBar1->setFocusPolicy(Qt::NoFocus);
    ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    ToolBar1->layout()->setSpacing(0);
    ToolBar1->layout()->setContentsMargins(0, 0, 0, 0);
    const auto button = [this](const QString &text, const QString &icon, void (TQuorix::*handler)()) {
        auto *created = new QToolButton(ToolBar1);
        created->setText(text);
        created->setToolTip(text);
        created->setIcon(QIcon(QStringLiteral(":/quorix/icons/") + icon));
        created->setIconSize(QSize(kIconSize, kIconSize));
        created->setToolButtonStyle(Qt::ToolButtonIconOnly);
        created->setAutoRaise(true);
        created->setFixedSize(kClientWidth / 3, kClientHeight);
        created->setFocusPolicy(Qt::NoFocus);
        ToolBar1->addWidget(created);
        connect(created, &QToolButton::clicked, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        return created;
    };
    btn_read = button(QStringLiteral("Lecture"), QStringLiteral("lecture.png"), &TQuorix::btn_readClick);
    Stop = button(QStringLiteral("Stop"), QStringLiteral("stop.png"), &TQuorix::ToolButton5Click);
    btn_reprise = button(QStringLiteral("Reprise"), QStringLiteral("reprise.png"), &TQuorix::btn_repriseClick);
    setCentralWidget(ToolBar1);
}

void TQuorix::createMenus()
{
    const auto command = [this](QMenu *menu, const QString &text, void (TQuorix::*handler)()) {
        QAction *action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        return action;
    };
    menuLine = menuBar()->addMenu(QStringLiteral("&Fichier"));
    Nouveau1 = command(menuLine, QStringLiteral("&Nouveau"), &TQuorix::Nouveau1Click);
    Ouvrir1 = command(menuLine, QStringLiteral("&Ouvrir"), &TQuorix::Ouvrir1Click);
    Configuration1 = command(menuLine, QStringLiteral("&Configuration"), &TQuorix::Configuration1Click);
    Journal1 = command(menuLine, QString::fromUtf16(added::journalMenu.french), &TQuorix::Journal1Click);
    Journal1->setVisible(false);
    menuLine->addSeparator();
    menuExit = command(menuLine, QStringLiteral("&Quitter"), &TQuorix::menuExitClick);

    Langue1 = menuBar()->addMenu(QStringLiteral("&Langue"));
    for (int k = 1; k <= int(languageItems.size()); ++k) {
        QAction *item = Langue1->addAction(QStringLiteral("L%1").arg(k));
        item->setCheckable(true);
        item->setVisible(false);
        // Qt ticks a checkable item on its own; the marks follow the language
        // actually applied, so a file that cannot be read leaves them alone.
        connect(item, &QAction::triggered, this, [this, k, item](bool checked) {
            item->setChecked(!checked);
            languageClick(k);
        });
        languageItems[k - 1] = item;
    }

    aide = menuBar()->addMenu(QStringLiteral("&?"));
    Aide1 = command(aide, QStringLiteral("&Aide"), &TQuorix::Aide1Click);
    aide->addSeparator();
    Apropos2 = command(aide, QStringLiteral("A &propos"), &TQuorix::Apropos2Click);

    MenuTray = new QMenu(this);
    ConfigurerCtxt = MenuTray->addAction(QStringLiteral("&Configurer"));
    MinimiserCtxt = MenuTray->addAction(QStringLiteral("&Minimiser"));
    QuitterCtxt = command(MenuTray, QStringLiteral("&Quitter"), &TQuorix::menuExitClick);
    connect(ToolBar1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { MenuTray->popup(ToolBar1->mapToGlobal(at)); });
}

void TQuorix::registerCaptions(common::CaptionRegistry &targets)
{
    const QPointer<TQuorix> self(this);
    const auto add = [&](const char *name, auto set) {
        targets.add(QString::fromLatin1(name), [self, set](const QString &text) {
            if (self)
                set(self.data(), text);
        });
    };
    const auto action = [&](const char *name, QAction *TQuorix::*member) {
        add(name, [member](TQuorix *w, const QString &text) { (w->*member)->setText(text); });
    };
    const auto menu = [&](const char *name, QMenu *TQuorix::*member) {
        add(name, [member](TQuorix *w, const QString &text) { (w->*member)->setTitle(text); });
    };
    menu("menuLine", &TQuorix::menuLine);
    action("Nouveau1", &TQuorix::Nouveau1);
    action("Ouvrir1", &TQuorix::Ouvrir1);
    action("menuExit", &TQuorix::menuExit);
    action("QuitterCtxt", &TQuorix::QuitterCtxt);
    action("Configuration1", &TQuorix::Configuration1);
    action("ConfigurerCtxt", &TQuorix::ConfigurerCtxt);
    action("MinimiserCtxt", &TQuorix::MinimiserCtxt);
    menu("Langue1", &TQuorix::Langue1);
    action("Aide1", &TQuorix::Aide1);
    action("Apropos2", &TQuorix::Apropos2);
    targets.addAdded(added::journalMenu, [self](const QString &text) {
        if (self)
            self->Journal1->setText(text);
    });
}

void TQuorix::setDefaultHooks()
{
    hooks.chooseOpenPath = [this] {
        return QFileDialog::getOpenFileName(this, common::inLanguage(common::texts::openTitle),
                                            common::configurationDialogFolder(m_session.fichier_config),
                                            m_language.messages().added.text(added::openFilter));
    };
    hooks.openHelp = [this](const QUrl &url) {
        common::openHelpPage(this, url.toLocalFile(), helpPageTexts(m_language.messages()));
    };
    hooks.openFolder = [this](const QUrl &url, std::function<void(bool)> done) {
        m_opener.open(url.toLocalFile(), std::move(done));
    };
    hooks.endProgram = [] { QCoreApplication::exit(0); };
}

void TQuorix::attach(Tconfig_form &editor, common::TAboutBox &about)
{
    m_editor = &editor;
    m_about = &about;
    m_cursor = std::make_unique<Cursor>(editor, *m_typing);
    m_cycle = std::make_unique<AcquisitionCycle>(m_link, m_pump, editor, *m_cursor, *this);
    m_cycle->setTyping(m_typing.get());
    setCommands(m_cycle->commands());

    editor.hooks.askQuit = [this] { return quitter_app(); };
    editor.hooks.askSave = [this] { return enregistrer_config(); };
    editor.hooks.endProgram = [this] {
        m_cycle->requestStop();
        endProgramWhenTyped();
    };
    editor.hooks.showAbout = [this] { m_about->exec(); };
    editor.hooks.openHelp = [this](const QUrl &url) { hooks.openHelp(url); };
    editor.hooks.configurationSaved = [this] {
        Configuration1->setEnabled(true);
        ConfigurerCtxt->setEnabled(true);
    };
}

void TQuorix::setJournal(JournalFile *journal)
{
    m_journal = journal;
    m_cycle->setJournal(journal);
    Journal1->setVisible(journal != nullptr);
}

void TQuorix::keepOutOfWindowManager()
{
    m_unmanaged = true;
    setWindowFlag(Qt::X11BypassWindowManagerHint, true);
}

void TQuorix::withNormalStyle(const std::function<void()> &dialog)
{
    enterNormalStyle();
    const auto restore = qScopeGuard([this] { leaveNormalStyle(); });
    dialog();
}

// Only the outermost dialog switches: a question asked from the open editor
// must not bring the window back over the editor.
void TQuorix::enterNormalStyle()
{
    if (m_normalStyleDepth++ == 0)
        stepAside(true);
}

void TQuorix::leaveNormalStyle()
{
    if (--m_normalStyleDepth == 0)
        stepAside(false);
}

void TQuorix::desktopAsking(bool asking)
{
    if (asking)
        enterNormalStyle();
    else
        leaveNormalStyle();
}

// While a dialog is up the window leaves the stay-on-top style, changed in
// place: setWindowFlags() would re-create the window, which then maps again
// above the open dialog and drops the dialog's tie to it. Kept out of the
// window manager, nothing can rise above the window: it steps aside instead.
void TQuorix::stepAside(bool aside)
{
    if (m_unmanaged) {
        if (aside) {
            m_hiddenForDialog = isVisible();
            if (m_hiddenForDialog)
                hide();
        } else if (m_hiddenForDialog) {
            show();
        }
        return;
    }
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, !aside);
    overrideWindowFlags(flags);
    if (QWindow *window = windowHandle())
        window->setFlags(flags);
}

// --- start-up ---

void TQuorix::FormCreate()
{
    m_muxFound = m_link.scan();
    if (m_muxFound)
        return;
    QApplication::beep();
    QString text = noMultiplexerText();
    if (const QString denied = m_link.deniedDevices(); !denied.isEmpty()) {
        // The language is otherwise applied at the first showing, which never comes.
        try {
            m_language.UpDateCaption();
        } catch (const common::UserError &) {
        }
        text = m_language.messages().added.text(added::portPermission).arg(denied);
        common::printToTerminal(text);
    }
    withNormalStyle([this, &text] { common::showError(this, text); });
}

void TQuorix::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_activated)
        return;
    common::centreOnScreen(this);
    // The window never takes the focus, so the start-up activation follows
    // the first showing instead.
    m_activated = true;
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TQuorix::FormActivate()
{
    guarded([this] {
        if (m_journal)
            m_journal->setEnabled(m_settings.readInteger(ini::general, ini::journal, 1) != 0);
        m_language.UpDateCaption([this] { m_pump.processPending(); });
        if (!m_editor)
            return;
        if (m_session.fichier_config.isEmpty()) {
            offerFirstConfiguration();
            return;
        }
        m_session.file.load(m_session.fichier_config, *m_editor);
        m_cursor->resetCounters();
        m_session.config_modifiee = false;
    });
}

// Without a configuration Quorix can read nothing: the user is offered the
// example, in a copy of their own since the shipped one may be read-only, or
// the editor on a new configuration.
void TQuorix::offerFirstConfiguration()
{
    const QString program = m_language.directory();
    if (!QFileInfo::exists(shippedExamplePath(program)))
        return;
    const QString target = common::configurationDialogFolder(QString());
    const common::AddedTexts &texts = m_language.messages().added;
    const QString question = texts.text(added::noConfigurationYet) + QStringLiteral("\n\n")
        + texts.text(added::offerExample).arg(QDir::toNativeSeparators(target)) + u'\n'
        + texts.text(added::offerNewConfiguration) + u'\n' + texts.text(added::offerLater);
    common::Answer answer = common::Answer::Cancel;
    withNormalStyle([this, &question, &answer] { answer = common::askConfirmation(this, question); });
    if (answer == common::Answer::Yes)
        openConfiguration(copyExampleConfiguration(program, target));
    else if (answer == common::Answer::No)
        Nouveau1Click();
}

// --- acquisition ---

void TQuorix::btn_readClick()
{
    if (!m_cycle->commands().read || m_preparingKeys || !m_typing->idle())
        return;
    // The way to type is found at the first "Lecture"; the desktop may ask
    // the user's permission meanwhile, with the window still live.
    m_preparingKeys = true;
    btn_read->setEnabled(false);
    QString problem = readTypingPace();
    try {
        if (problem.isEmpty())
            m_typing->prepare();
    } catch (const CannotType &error) {
        problem = error.textIn(m_language.messages().added);
    } catch (const common::UserError &error) {
        problem = error.text();
    }
    m_preparingKeys = false;
    btn_read->setEnabled(m_cycle->commands().read && m_typing->idle());
    if (!problem.isEmpty()) {
        // Closed while the desktop was asking: nothing more to say.
        if (isVisible())
            showError(problem);
        return;
    }
    m_cycle->start();
}
// Read at each "Lecture", so a corrected setting counts at once.
QString TQuorix::readTypingPace()
{
    const QString setting = m_settings.Lire_chaine_ini(ini::keyboard, ini::typingPace);
    const std::optional<TypingPace> pace = parseTypingPace(setting);
    if (!pace)
        return cannotType(added::badTypingPace, {ini::typingPace, ini::keyboard, m_settings.path(), setting})
            .textIn(m_language.messages().added);
    m_typing->setPace(*pace);
    return QString();
}

void TQuorix::typingChanged()
{
    const int waiting = m_typing->valuesWaiting();
    if (waiting > kValuesWaitingShownAbove) {
        waitingValues->setText(m_language.messages().added.text(added::valuesWaiting).arg(waiting));
        waitingValues->adjustSize();
        waitingValues->move(width() - waitingValues->width(), height() - waitingValues->height());
        waitingValues->show();
        waitingValues->raise();
    } else {
        waitingValues->hide();
    }
    // A new run waits for the last one's values: typed after them it would
    // seem to start in the wrong cell.
    btn_read->setEnabled(m_cycle && m_cycle->commands().read && !m_preparingKeys && m_typing->idle());
    if (m_endWhenTyped && m_typing->idle()) {
        m_endWhenTyped = false;
        QTimer::singleShot(0, this, [this] { hooks.endProgram(); });
    }
    // A running cycle reports the failure itself as it ends; after "Stop" the
    // window does, once the current event is served.
    if (m_typing->failed() && m_cycle && !m_cycle->running()) {
        QTimer::singleShot(0, this, [this] {
            if (m_cycle->running())
                return;
            try {
                m_typing->throwIfFailed();
            } catch (const CannotType &e) {
                showTypingFailure(e);
            } catch (const common::UserError &e) {
                showError(e.text());
            }
        });
    }
}

void TQuorix::ToolButton5Click() { m_cycle->stop(); }
void TQuorix::btn_repriseClick() { m_cycle->repeatSeries(); }
void TQuorix::TimerTimer() { m_cycle->run(); }

bool TQuorix::arret_demande() const { return m_cycle->stopRequested(); }

void TQuorix::setCommands(const CommandState &state)
{
    btn_read->setEnabled(state.read && !m_preparingKeys && m_typing->idle());
    Stop->setEnabled(state.stop);
    btn_reprise->setEnabled(state.repeat);
    Nouveau1->setEnabled(state.fileCommands);
    Ouvrir1->setEnabled(state.fileCommands);
    Configuration1->setEnabled(state.fileCommands);
    if (state == CommandState {})
        ConfigurerCtxt->setEnabled(true);
}

void TQuorix::setTimerEnabled(bool enabled)
{
    if (enabled)
        Timer->start();
    else
        Timer->stop();
}

void TQuorix::setValueHolder(const QString &text) { Edit1->setText(text); }

void TQuorix::showNoInstrument()
{
    QString text = m_language.messages().msg_aucun_instrument;
    if (m_session.fichier_config.isEmpty())
        text += u'\n' + m_language.messages().added.text(added::howToConfigure);
    common::showMessage(this, text);
}

void TQuorix::showError(const QString &text)
{
    withNormalStyle([this, &text] { common::showError(this, text); });
}

void TQuorix::showTypingFailure(const CannotType &failure)
{
    showError(failure.textIn(m_language.messages().added));
}

void TQuorix::showDeviceLost()
{
    showError(m_language.messages().added.text(added::deviceLost));
}

void TQuorix::showAddedNotice(const common::AddedText &text, const QStringList &arguments)
{
    QString shown = m_language.messages().added.text(text);
    for (const QString &argument : arguments)
        shown = shown.arg(argument);
    common::showNotice(this, shown);
}

void TQuorix::showJournalFailure(const QString &where, const QString &reason)
{
    const common::AddedTexts &texts = m_language.messages().added;
    common::showNotice(this, texts.text(added::journalNotWritten).arg(where, reason) + u'\n'
                                 + texts.text(added::journalTypingGoesOn));
}

// --- configuration ---

void TQuorix::Nouveau1Click()
{
    Configuration1->setEnabled(true);
    ConfigurerCtxt->setEnabled(true);
    applyMainWindowDefaults(*m_editor);
    showEditor();
}

void TQuorix::Configuration1Click() { showEditor(); }

void TQuorix::showEditor()
{
    withNormalStyle([this] { m_editor->exec(); });
}

void TQuorix::Ouvrir1Click()
{
    QString path;
    withNormalStyle([this, &path] { path = hooks.chooseOpenPath(); });
    if (!path.isEmpty())
        openConfiguration(path);
}

void TQuorix::openConfiguration(const QString &path)
{
    Configuration1->setEnabled(true);
    ConfigurerCtxt->setEnabled(true);
    m_editor->openFile(path);
    m_settings.Ecrire_fichier_ini(ini::general, ini::demo, 0);
}

void TQuorix::Journal1Click()
{
    if (!m_journal)
        return;
    // Before the first value the folder does not exist yet.
    QDir().mkpath(m_journal->folder());
    const QString shown = QDir::toNativeSeparators(m_journal->folder());
    hooks.openFolder(QUrl::fromLocalFile(m_journal->folder()), [self = QPointer<TQuorix>(this), shown](bool opened) {
        if (self && !opened)
            self->showJournalFolder(shown);
    });
}

void TQuorix::showJournalFolder(const QString &shown)
{
    const common::AddedTexts &texts = m_language.messages().added;
    withNormalStyle([this, &texts, &shown] {
        common::showErrorOffering(this, texts.text(added::noFileManager).arg(shown), texts.text(added::copyPath),
                                  [&shown] { QGuiApplication::clipboard()->setText(shown); });
    });
}

// --- help, about, languages ---

void TQuorix::Aide1Click()
{
    const QString page = QStringLiteral("help/quorix/%1.html").arg(1000 + m_language.langue());
    withNormalStyle([this, &page] {
        hooks.openHelp(QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath(page)));
    });
}

void TQuorix::Apropos2Click()
{
    withNormalStyle([this] { m_about->exec(); });
}

void TQuorix::languageClick(int position)
{
    guarded([this, position] { m_language.chooseLanguage(position); });
}

void TQuorix::showLanguage(int position, const QString &name)
{
    QAction *item = languageItems.at(std::size_t(position - 1));
    item->setText(name);
    item->setVisible(true);
}

void TQuorix::setLanguageChecked(int position, bool checked)
{
    languageItems.at(std::size_t(position - 1))->setChecked(checked);
}

// --- closing ---

bool TQuorix::quitter_app()
{
    bool yes = false;
    withNormalStyle([this, &yes] { yes = common::askWarning(this, m_language.messages().msg_quitter); });
    return yes;
}

common::Answer TQuorix::enregistrer_config()
{
    common::Answer answer = common::Answer::Cancel;
    withNormalStyle([this, &answer] {
        answer = common::askConfirmation(this, m_language.messages().msg_enregistrer);
    });
    return answer;
}

void TQuorix::writeDemoWhenNoFile()
{
    if (m_session.fichier_config.isEmpty())
        m_settings.Ecrire_fichier_ini(ini::general, ini::demo, 1);
}

void TQuorix::menuExitClick()
{
    if (!quitter_app())
        return;
    writeDemoWhenNoFile();
    m_cycle->requestStop();
    endProgramWhenTyped();
}

void TQuorix::endProgramWhenTyped()
{
    if (m_typing->idle()) {
        hooks.endProgram();
        return;
    }
    // The window stays, its count of values waiting going down, until the
    // last one is typed.
    m_endWhenTyped = true;
    typingChanged();
}

void TQuorix::closeEvent(QCloseEvent *event)
{
    m_cycle->requestStop();
    event->ignore();
    guarded([this, event] {
        if (!m_session.config_modifiee) {
            if (!quitter_app())
                return;
            writeDemoWhenNoFile();
            m_settings.Ecrire_chaine_ini(ini::file, ini::configurationFile,
                                         m_session.fichier_config);
        } else {
            const common::Answer answer = enregistrer_config();
            writeDemoWhenNoFile();
            if (answer == common::Answer::Cancel)
                return;
            // A save that fails throws: the close is cancelled and the
            // changes are not lost.
            if (answer == common::Answer::Yes)
                m_editor->Enregistrer1Click();
        }
        if (!m_typing->idle()) {
            endProgramWhenTyped();
            return;
        }
        event->accept();
        hooks.endProgram();
    });
}

} // namespace acquisition
