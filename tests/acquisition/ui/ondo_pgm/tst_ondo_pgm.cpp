// Quorix's main window against the simulator: start-up, a reading run typed
// through a recording sink, the stay-on-top rule around dialogs, and closing.
#include "acquisition/addedmessages.h"
#include "acquisition/configfile.h"
#include "acquisition/keyoutput/keyoutput.h"
#include "acquisition/ui/cfg_form.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "common/inifile.h"
#include "common/settingsfile.h"
#include "common/textcodec.h"
#include "common/ui/apropos.h"
#include "common/usererror.h"
#include "common/version.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/keytext.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace acquisition;
using common::MessageBoxAnswerer;

namespace {

// A settings folder with quorix.ini, a language folder with the French file,
// and a configuration file reading instrument 1 twice per series.
struct Folders {
    QTemporaryDir settings;
    QTemporaryDir languages;
    QTemporaryDir data;
    QString mux = settings.filePath("atelier.mux");
    QString journal = data.filePath("quorix/journal");

    Folders()
    {
        QFile::copy(QStringLiteral(SOURCE_DIR "/lang/quorix/Francais.lng"), languages.filePath("Francais.lng"));
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        values.setInstrumentCount(1, "2");
        ConfigurationFile().save(mux, values);
    }
    void writeSettings(const QByteArray &text)
    {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    // English alone, in UTF-16 as some editors save it.
    void useEnglish()
    {
        QFile::remove(languages.filePath("Francais.lng"));
        const QByteArray english = testsupport::readBytes(QStringLiteral(SOURCE_DIR "/lang/quorix/English.lng"));
        testsupport::writeBytes(languages.filePath("English.lng"),
                                testsupport::utf16WithBom(common::decodeText(english)));
    }
    QString ini() const { return settings.filePath("quorix.ini"); }
    QString setting(const QString &section, const QString &key) const
    {
        return common::IniFile::load(ini()).readString(section, key);
    }
    QuorixFolders folders() const { return {settings.path(), languages.path(), journal}; }
    // The value column of every journal line, oldest first.
    QStringList journalValues() const
    {
        QStringList values;
        const QDir folder(journal);
        for (const QString &day : folder.entryList({"*.csv"}, QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(day));
            if (!file.open(QIODevice::ReadOnly))
                return {"unreadable " + day};
            file.readLine(); // header
            while (!file.atEnd())
                values << QString::fromUtf8(file.readLine()).trimmed().section(',', -1);
        }
        return values;
    }
};

// Records the keys; prepare() fails while a refusal is set, as a desktop
// without a way to type does.
class RefusingKeySink : public RecordingKeySink {
public:
    QString refusal;
    int prepared = 0;
    std::function<void()> onPrepare;
    void prepare() override
    {
        ++prepared;
        if (onPrepare)
            onPrepare();
        if (!refusal.isEmpty())
            throw common::UserError(refusal);
    }
};

// Types the first key, then loses its typing session, as a desktop that
// closes it during a run does.
class SessionLostKeySink : public RecordingKeySink {
public:
    void press(Key key) override
    {
        if (!keys().isEmpty())
            throw cannotType(added::typingSessionClosed);
        RecordingKeySink::press(key);
    }
};

std::unique_ptr<QuorixProgram> startQuorix(const Folders &folders, KeySink &keys, const QString &port)
{
    qputenv("MUX_PORTS", port.toLocal8Bit());
    auto program = std::make_unique<QuorixProgram>(keys, folders.folders());
    program->mainWindow().show();
    QTest::qWait(50); // the start-up activation
    return program;
}

// Clicks "Stop" from inside the running cycle once `done` holds (or after
// 20 s), and waits until the cycle has returned. True when `done` held.
bool readUntil(TQuorix &window, const std::function<bool()> &done)
{
    QTimer watch;
    QElapsedTimer elapsed;
    elapsed.start();
    bool held = false;
    QObject::connect(&watch, &QTimer::timeout, &window, [&] {
        held = held || done();
        if ((held || elapsed.hasExpired(20000)) && window.Stop->isEnabled())
            QTest::mouseClick(window.Stop, Qt::LeftButton);
    });
    watch.start(10);
    QTest::mouseClick(window.btn_read, Qt::LeftButton);
    return QTest::qWaitFor([&] { return window.btn_read->isEnabled(); }, 30000) && held;
}

} // namespace

class TestQuorixWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_folders.writeSettings("[FICHIER]\r\nQuorix=" + m_folders.mux.toUtf8() + "\r\n");
        QVERIFY2(m_sim.start({"--model", "8", "--values", "1.5,-2,30", "--line", "short", "--per-command", "2"}),
                 qPrintable(m_sim.errorString()));
        m_program = startQuorix(m_folders, m_keys, m_sim.linkPath());
        m_program->mainWindow().hooks.endProgram = [this] { ++m_ends; };
        m_program->mainWindow().hooks.openHelp = [this](const QUrl &url) { m_help << url; };
    }
    void cleanupTestCase() { m_program.reset(); }

    void startUp()
    {
        TQuorix &w = m_program->mainWindow();
        QVERIFY(w.muxFound());
        QCOMPARE(w.windowTitle(), "Quorix");
        QVERIFY(w.windowFlags() & Qt::Tool);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        // Clicking a button must leave the focus in the application typed into.
        QVERIFY(w.windowFlags() & Qt::WindowDoesNotAcceptFocus);
        for (QToolButton *b : {w.btn_read, w.Stop, w.btn_reprise}) {
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            QCOMPARE(b->iconSize(), QSize(50, 50));
            QVERIFY(!b->icon().isNull());
        }
        QCOMPARE(w.centralWidget()->size(), QSize(171, 58));
        QVERIFY(w.btn_read->isEnabled());
        QVERIFY(!w.Stop->isEnabled());
        QVERIFY(!w.btn_reprise->isEnabled());
        // Activation: French captions, the file named in quorix.ini loaded.
        QVERIFY(w.activated());
        QCOMPARE(w.languageItems[0]->text(), "Francais");
        QVERIFY(w.languageItems[0]->isVisible() && w.languageItems[0]->isChecked());
        QVERIFY(!w.languageItems[1]->isVisible());
        QCOMPARE(w.menuLine->title(), "&Fichier");
        QCOMPARE(m_program->session().fichier_config, m_folders.mux);
        QCOMPARE(m_program->editor().instrumentCount(1), "2");
        QVERIFY(!m_program->session().config_modifiee);
    }

    void readingRun()
    {
        TQuorix &w = m_program->mainWindow();
        m_keys.clear();
        QVERIFY(readUntil(w, [&] { return keyText(m_keys.keys()).count('R') >= 3; }));
        // Two values a series in a row, then back and one row down.
        QVERIFY2(keyText(m_keys.keys()).startsWith("1.5R-2RLLD30R"), qPrintable(keyText(m_keys.keys())));
        QVERIFY(m_sim.log().startsWith("@*?\r\n@*N1\r\n@*N1\r\n"));
        QVERIFY(w.Nouveau1->isEnabled() && w.Configuration1->isEnabled());
        QVERIFY(!w.Stop->isEnabled());
        QVERIFY(!w.btn_reprise->isEnabled());
        QVERIFY(w.arret_demande());
        // Every value typed is in the journal, in order.
        const QStringList values = m_folders.journalValues();
        QCOMPARE(int(values.size()), int(keyText(m_keys.keys()).count('R')));
        QCOMPARE(values.mid(0, 3), QStringList({"V1.5", "V-2", "V30"}));
    }

    void journalSwitchedOffAndOpened()
    {
        TQuorix &w = m_program->mainWindow();
        const int before = int(m_folders.journalValues().size());
        m_folders.writeSettings("[GENERAL]\r\nJournal=0\r\n[FICHIER]\r\nQuorix=" + m_folders.mux.toUtf8() + "\r\n");
        w.FormActivate();
        m_keys.clear();
        QVERIFY(readUntil(w, [&] { return m_keys.keys().size() >= 5; }));
        QCOMPARE(int(m_folders.journalValues().size()), before);
        m_folders.writeSettings("[FICHIER]\r\nQuorix=" + m_folders.mux.toUtf8() + "\r\n");
        w.FormActivate();

        QList<QUrl> opened;
        w.hooks.openFolder = [&](const QUrl &url, const std::function<void(bool)> &done) {
            opened << url;
            done(true);
        };
        QVERIFY(w.Journal1->isVisible());
        w.Journal1->trigger();
        QCOMPARE(opened, QList<QUrl>({QUrl::fromLocalFile(m_folders.journal)}));

        // The opener ends in failure after the menu command has returned.
        std::function<void(bool)> pending;
        w.hooks.openFolder = [&](const QUrl &, std::function<void(bool)> done) { pending = std::move(done); };
        MessageBoxAnswerer boxes;
        boxes.answerWith("&Copier le chemin");
        w.Journal1->trigger();
        QVERIFY(pending && boxes.seen().isEmpty());
        pending(false);
        QCOMPARE(boxTexts(boxes),
                 QStringList("Erreur: Aucun gestionnaire de fichiers n'a pu ouvrir le dossier " + m_folders.journal));
        QCOMPARE(boxes.seen().at(0).buttons, QStringList({"&Copier le chemin", "OK"}));
        QCOMPARE(QGuiApplication::clipboard()->text(), m_folders.journal);
    }

    // One notice, which takes neither the focus nor the typing.
    void journalThatCannotBeWritten()
    {
        TQuorix &w = m_program->mainWindow();
        QVERIFY(QDir(m_folders.journal).removeRecursively());
        testsupport::writeBytes(m_folders.journal, "a file where the folder should be");
        const auto restore = qScopeGuard([&] { QFile::remove(m_folders.journal); });
        m_keys.clear();
        QVERIFY(readUntil(w, [&] { return keyText(m_keys.keys()).count('R') >= 4; }));
        QList<QMessageBox *> notices;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(top); box && box->isVisible())
                notices << box;
        }
        QCOMPARE(notices.size(), 1);
        QCOMPARE(notices.at(0)->windowTitle(), "Avertissement");
        QVERIFY(notices.at(0)->text().startsWith("Le journal des lectures ne peut pas être écrit dans " + m_folders.journal));
        QVERIFY(!notices.at(0)->isModal());
        QVERIFY(notices.at(0)->testAttribute(Qt::WA_ShowWithoutActivating));
        // A click on it must not take the focus either, and it leaves "Stop" uncovered.
        QVERIFY(notices.at(0)->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(!notices.at(0)->frameGeometry().intersects(w.frameGeometry()));
        notices.at(0)->close();
    }

    // No way to type: "Lecture" says why and leaves everything idle; once
    // the way is there, the next "Lecture" runs.
    void readingWithoutAWayToType()
    {
        TQuorix &w = m_program->mainWindow();
        m_keys.clear();
        m_keys.refusal = QStringLiteral("Impossible de taper les valeurs au clavier : aucun bureau graphique");
        // The simulator may still be logging a command of the previous run.
        QByteArray settled;
        do {
            settled = m_sim.log();
            QTest::qWait(200);
        } while (m_sim.log() != settled);
        const QByteArray sentBefore = m_sim.log();
        const int preparedBefore = m_keys.prepared;
        MessageBoxAnswerer boxes;
        QTest::mouseClick(w.btn_read, Qt::LeftButton);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, "Erreur");
        QCOMPARE(boxes.seen().at(0).text, m_keys.refusal);
        QVERIFY(w.btn_read->isEnabled());
        QVERIFY(!w.Stop->isEnabled());
        QVERIFY(w.Nouveau1->isEnabled());
        QVERIFY(!w.Timer->isActive());
        QTest::qWait(200);
        QCOMPARE(m_sim.log(), sentBefore);
        QVERIFY(m_keys.keys().isEmpty());

        m_keys.refusal.clear();
        QVERIFY(readUntil(w, [&] { return m_keys.keys().size() >= 3; }));
        QCOMPARE(m_keys.prepared, preparedBefore + 2);
        QCOMPARE(boxes.seen().size(), 1);
    }

    void dialogsDropStayOnTop()
    {
        TQuorix &w = m_program->mainWindow();
        MessageBoxAnswerer boxes;
        bool onTopDuringBox = true;
        QTimer::singleShot(0, &w, [&] { onTopDuringBox = w.windowFlags() & Qt::WindowStaysOnTopHint; });
        boxes.answerWith("&Non");
        w.menuExit->trigger();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, "Avertissement");
        QCOMPARE(boxes.seen().at(0).text, "Voulez-vous quitter Quorix ?");
        QVERIFY(!onTopDuringBox);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.isVisible());
        QCOMPARE(m_ends, 0);

        w.Aide1->trigger();
        QCOMPARE(m_help.size(), 1);
        QVERIFY(m_help.at(0).toLocalFile().endsWith("/help/quorix/1001.html"));
    }

    // A language whose file has gone since start-up: the error, and the
    // current language keeps its check mark.
    void vanishedLanguageKeepsTheMarks()
    {
        TQuorix &w = m_program->mainWindow();
        const QString file = m_folders.languages.filePath("Francais.lng");
        QVERIFY(QFile::rename(file, file + ".away"));
        const auto restore = qScopeGuard([&] { QFile::rename(file + ".away", file); });
        MessageBoxAnswerer boxes;
        w.languageItems[0]->trigger();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, "Fichier introuvable");
        QVERIFY(w.languageItems[0]->isChecked());
    }

    void closing()
    {
        TQuorix &w = m_program->mainWindow();
        MessageBoxAnswerer boxes;
        // Unchanged configuration, "no": the window stays.
        boxes.answerWith("&Non");
        QVERIFY(!w.close());
        QVERIFY(w.arret_demande());
        QCOMPARE(m_ends, 0);

        // "yes": the current file is recorded and the program ends.
        m_folders.writeSettings("");
        boxes.answerWith("&Oui");
        QVERIFY(w.close());
        QCOMPARE(m_ends, 1);
        QCOMPARE(m_folders.setting("FICHIER", "Quorix"), m_folders.mux);
        QCOMPARE(m_folders.setting("GENERAL", "Demo"), QString());
        w.show();

        // Changed configuration without a file, "Annuler": Demo=1 all the same.
        m_program->session().fichier_config.clear();
        m_program->editor().setStep(Step::PerValueHorizontal, "2");
        QVERIFY(m_program->session().config_modifiee);
        boxes.answerWith("Annuler");
        QVERIFY(!w.close());
        QCOMPARE(boxes.seen().last().title, "Confirmation");
        QCOMPARE(m_folders.setting("GENERAL", "Demo"), "1");
        QCOMPARE(m_ends, 1);

        // The menu's "&Quitter", "yes": no save question, FICHIER untouched.
        m_folders.writeSettings("[FICHIER]\r\nQuorix=old.mux\r\n");
        boxes.answerWith("&Oui");
        w.QuitterCtxt->trigger();
        QCOMPARE(boxes.seen().last().title, "Avertissement");
        QCOMPARE(m_ends, 2);
        QCOMPARE(m_folders.setting("FICHIER", "Quorix"), "old.mux");
        QCOMPARE(m_folders.setting("GENERAL", "Demo"), "1");
    }

    void openingWritesDemoZero()
    {
        TQuorix &w = m_program->mainWindow();
        w.hooks.chooseOpenPath = [this] { return m_folders.mux; };
        m_program->editor().setInstrumentCount(1, "7");
        w.Ouvrir1->trigger();
        QCOMPARE(m_program->session().fichier_config, m_folders.mux);
        QCOMPARE(m_program->editor().instrumentCount(1), "2");
        QVERIFY(!m_program->session().config_modifiee);
        QCOMPARE(m_folders.setting("GENERAL", "Demo"), "0");

        // A file that cannot be read: the error, and the current file stays.
        MessageBoxAnswerer boxes;
        w.hooks.chooseOpenPath = [this] { return m_folders.settings.filePath("missing.mux"); };
        w.Ouvrir1->trigger();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, "Erreur");
        QCOMPARE(m_program->session().fichier_config, m_folders.mux);
    }

    void noMultiplexer()
    {
        MessageBoxAnswerer boxes;
        RecordingKeySink keys;
        Folders folders;
        qputenv("MUX_PORTS", QByteArray(","));
        QuorixProgram program(keys, folders.folders());
        QVERIFY(!program.mainWindow().muxFound());
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, "Erreur");
        QCOMPARE(boxes.seen().at(0).text,
                 "Aucun multiplexeur détecté\n\rConnectez votre multiplexeur et relancez Quorix");
    }

    // A language file saved as UTF-16 gives its captions, and the messages the
    // map has no line for follow the language: the device lost during a run, a
    // journal that cannot be written, no file manager, the about box's package line.
    void englishFromUtf16AndLostDevice()
    {
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--values", "7", "--line", "short", "--per-command", "1"}),
                 qPrintable(sim.errorString()));
        Folders folders;
        folders.useEnglish();
        folders.writeSettings("[FICHIER]\r\nQuorix=" + folders.mux.toUtf8() + "\r\n");

        MessageBoxAnswerer boxes;
        RecordingKeySink keys;
        auto program = startQuorix(folders, keys, sim.linkPath());
        TQuorix &w = program->mainWindow();
        QCOMPARE(w.menuLine->title(), "&File");
        QCOMPARE(program->aboutBox().packageLine->text(), "Package setrix-quorix " SETRIX_QUORIX_VERSION);
        QVERIFY(QDir().mkpath(QFileInfo(folders.journal).path()));
        testsupport::writeBytes(folders.journal, "a file where the folder should be");

        // The simulator goes away once a value has been typed.
        QTimer watch;
        bool stopped = false;
        QObject::connect(&watch, &QTimer::timeout, &w, [&] {
            if (!stopped && !keys.keys().isEmpty()) {
                stopped = true;
                sim.stop();
            }
        });
        watch.start(10);
        QTest::mouseClick(w.btn_read, Qt::LeftButton);
        // The notice (warning) of the journal comes with the first value.
        const auto shown = [&](const QString &title) {
            QStringList texts;
            for (const MessageBoxAnswerer::Box &box : boxes.seen()) {
                if (box.title == title)
                    texts << box.text;
            }
            return texts;
        };
        QVERIFY(QTest::qWaitFor([&] { return !shown("Error").isEmpty() && w.btn_read->isEnabled(); }, 20000));
        QCOMPARE(shown("Error"),
                 QStringList("The multiplexer was disconnected. Plug it in again and restart Quorix."));
        const QStringList notices = shown("Warning");
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices.at(0).startsWith("The reading journal cannot be written to " + folders.journal + "/")
                     && notices.at(0).endsWith(".\nValues are still typed, but no longer noted in the journal."),
                 qPrintable(notices.at(0)));

        w.hooks.openFolder = [](const QUrl &, const std::function<void(bool)> &done) { done(false); };
        w.Journal1->trigger();
        QCOMPARE(shown("Error").value(1), "No file manager could open the folder " + folders.journal);
    }

    // Why "Lecture" cannot type, in the current language, reason included.
    void englishReasonForNotTyping()
    {
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--values", "7", "--line", "short"}), qPrintable(sim.errorString()));
        Folders folders;
        folders.useEnglish();
        folders.writeSettings("[FICHIER]\r\nQuorix=" + folders.mux.toUtf8() + "\r\n[CLAVIER]\r\nSortie=clavier\r\n");
        SessionKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini"), folders.settings.path()));

        MessageBoxAnswerer boxes;
        auto program = startQuorix(folders, keys, sim.linkPath());
        QTest::mouseClick(program->mainWindow().btn_read, Qt::LeftButton);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text,
                 "Cannot type the values on the keyboard: the key Sortie of section [CLAVIER] of " + folders.ini()
                     + " is \"clavier\" (possible values: auto, x11, wayland, portail)");
    }

    // Typing that stops working during a run is said in the current language.
    void typingLostDuringRun_data()
    {
        testsupport::columns<bool, QString>("english", "message");
        QTest::newRow("French") << false
                                << QStringLiteral("Impossible de taper les valeurs au clavier : "
                                                  "le bureau a fermé la session de saisie de Quorix");
        QTest::newRow("English") << true
                                 << QStringLiteral("Cannot type the values on the keyboard: "
                                                   "the desktop closed Quorix's typing session");
    }
    void typingLostDuringRun()
    {
        QFETCH(bool, english);
        QFETCH(QString, message);
        Folders folders;
        if (english)
            folders.useEnglish();
        folders.writeSettings("[FICHIER]\r\nQuorix=" + folders.mux.toUtf8() + "\r\n");
        SessionLostKeySink keys;
        MessageBoxAnswerer boxes;
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--values", "7,8", "--line", "short", "--per-command", "2"}),
                 qPrintable(sim.errorString()));
        auto program = startQuorix(folders, keys, sim.linkPath());
        TQuorix &w = program->mainWindow();
        QTest::mouseClick(w.btn_read, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !boxes.seen().isEmpty() && w.btn_read->isEnabled(); }, 20000));
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, english ? "Error" : "Erreur");
        QCOMPARE(boxes.seen().at(0).text, message);
        QVERIFY(!w.Stop->isEnabled());
    }

    // The desktop asks its permission at "Lecture", then refuses: the window
    // is off the top while the desktop's dialog is up, and while the refusal
    // is shown, and on top again after both.
    void desktopPermissionDialogNotCovered()
    {
        TQuorix &w = m_program->mainWindow();
        bool onTopWhileAsked = true;
        m_keys.onPrepare = [&] {
            w.desktopAsking(true);
            onTopWhileAsked = w.windowFlags() & Qt::WindowStaysOnTopHint;
            w.desktopAsking(false);
        };
        m_keys.refusal = QStringLiteral("refused");
        MessageBoxAnswerer boxes;
        bool onTopDuringBox = true;
        QTimer::singleShot(0, &w, [&] { onTopDuringBox = w.windowFlags() & Qt::WindowStaysOnTopHint; });
        QTest::mouseClick(w.btn_read, Qt::LeftButton);
        m_keys.onPrepare = {};
        m_keys.refusal.clear();
        QCOMPARE(boxes.seen().size(), 1);
        QVERIFY(!onTopWhileAsked);
        QVERIFY(!onTopDuringBox);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    // Kept out of the window manager (wlroots compositors): the window hides
    // while a box is up, rather than leave the stay-on-top style.
    void unmanagedWindowStepsAside()
    {
        TQuorix &w = m_program->mainWindow();
        w.keepOutOfWindowManager();
        QVERIFY(w.windowFlags() & Qt::X11BypassWindowManagerHint);
        w.show();
        MessageBoxAnswerer boxes;
        bool visibleDuringBox = true;
        bool onTopDuringBox = false;
        QTimer::singleShot(0, &w, [&] {
            visibleDuringBox = w.isVisible();
            onTopDuringBox = w.windowFlags() & Qt::WindowStaysOnTopHint;
        });
        boxes.answerWith("&Non");
        w.menuExit->trigger();
        QCOMPARE(boxes.seen().size(), 1);
        QVERIFY(!visibleDuringBox);
        QVERIFY(onTopDuringBox);
        QVERIFY(w.isVisible());
    }

private:
    Folders m_folders;
    testsupport::MuxSimProcess m_sim;
    RefusingKeySink m_keys;
    std::unique_ptr<QuorixProgram> m_program;
    int m_ends = 0;
    QList<QUrl> m_help;
};

QTEST_MAIN(TestQuorixWindow)
#include "tst_ondo_pgm.moc"
