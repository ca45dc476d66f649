// Setrix's main window against the simulator: start-up, commands, languages, a lost port.
#include "common/inifile.h"
#include "common/textcodec.h"
#include "configtool/receivedisplay.h"
#include "configtool/ui/config_avancee.h"
#include "configtool/ui/prog_form.h"
#include "configtool/ui/prog_vtr.h"
#include "configtool/ui/setrixprogram.h"
#include "configtool/ui/typecable.h"
#include "configtool/ui/update.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"
#include "tests/support/files.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/standarderror.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include <sys/stat.h>

using namespace configtool;
using testsupport::MuxSimProcess;

namespace {

const QDate today(2025, 6, 15);

// A start-up folder with the shipped language files and a cable list, and a
// settings folder of its own.
struct Folders {
    QTemporaryDir start;
    QTemporaryDir settings;

    explicit Folders(int cableListAgeDays = 0, bool withCableList = true)
    {
        for (const char *name : {"English.lng", "Francais.lng"})
            QFile::copy(QStringLiteral(SOURCE_DIR "/lang/setrix/") + name, start.filePath(name));
        if (withCableList)
            write(start.filePath("cable.txt"),
                  today.addDays(-cableListAgeDays).toString("dd/MM/yyyy").toLatin1() + "\r\n50417 RS232\r\n");
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void writeSettings(const QByteArray &ini) { write(settings.filePath("kelt.ini"), ini); }
    QString ini() const { return settings.filePath("kelt.ini"); }
    SetrixFolders folders() const { return {settings.path(), start.path(), [] { return today; }, {}}; }
};

// The program over the given ports, shown and through its start-up.
std::unique_ptr<SetrixProgram> startSetrix(const Folders &folders, const QStringList &ports)
{
    qputenv("MUX_PORTS", ports.join(u',').toLocal8Bit());
    auto program = std::make_unique<SetrixProgram>(folders.folders());
    program->mainWindow().show();
    if (!QTest::qWaitFor([&] { return program->mainWindow().startupDone(); }, 60000))
        qWarning("start-up did not end");
    return program;
}

// The main window through its first display over scripted ports, a device on COM1.
struct FakeRig {
    Folders folders;
    testsupport::FakeClock clock;
    testsupport::FakeSerialPorts ports {clock};
    testsupport::FakeEventPump pump {clock, &ports};
    SetrixServices services {ports, pump, clock, folders.folders()};
    TForm1 window {services};

    FakeRig()
    {
        ports.plug(0);
        window.FormShow();
    }

    // The device answers each identification request with `reply`.
    void answerIdentification(const QByteArray &reply)
    {
        ports.onWrite = [reply](testsupport::FakeSerialPorts &f, int port, const QByteArray &written) {
            if (written.endsWith("@*?\r\n"))
                f.arrive(port, reply, 20);
        };
    }
};

// Rejects the next modal window other than a message box; true once one was seen.
// The watch ends with `owner`.
std::shared_ptr<bool> closeNextDialog(QObject *owner)
{
    auto seen = std::make_shared<bool>(false);
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && !qobject_cast<QMessageBox *>(dialog)) {
            *seen = true;
            dialog->reject();
            timer->deleteLater();
        }
    });
    timer->start(20);
    return seen;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    // The simulator behind two ports without a multiplexer; French chosen in kelt.ini.
    void startupScanAndCommands()
    {
        MuxSimProcess silent, mux;
        QVERIFY2(silent.start({"--silent"}), qPrintable(silent.errorString()));
        QVERIFY2(mux.start({"--model", "8", "--version", "5"}), qPrintable(mux.errorString()));
        Folders folders(30);
        folders.writeSettings("[GENERAL]\r\nLangue=2\r\n[RETRO]\r\nrcmde3=Zéro\r\n");
        common::MessageBoxAnswerer boxes;
        auto program = startSetrix(folders, {folders.start.filePath("absent"), silent.linkPath(), mux.linkPath()});
        TForm1 &w = program->mainWindow();

        QCOMPARE(boxTexts(boxes), QStringList()); // found, and a list of 30 days raises no question
        QCOMPARE(w.port_com(), 2);
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexeur 8 -> COM3"));
        QVERIFY(!w.btn_connexion->isEnabled());
        QVERIFY(w.btn_selection->isEnabled() && w.btn_snumber->isEnabled() && w.btn_config->isEnabled()
                && w.btn_retrocommande->isEnabled());
        QVERIFY(!w.btn_lecture->isEnabled());
        QVERIFY(w.findChild<QAction *>("Langue21")->isChecked());
        QCOMPARE(w.btn_connexion->text(), QStringLiteral("Connexion multiplexeur"));

        // Choosing instrument 3.
        w.instrumentItem(3)->trigger();
        QVERIFY(mux.waitForLog("@*N3\r\n", 2000));
        QCOMPARE(w.statusPanel(1), QStringLiteral("Instrument 3 sélectionné"));
        QVERIFY(w.instrumentItem(3)->isChecked());
        QVERIFY(w.btn_lecture->isEnabled());

        // The identification line lands in the receive area as one line.
        w.btn_snumber->click();
        QVERIFY(QTest::qWaitFor([&] { return w.Memo1->toPlainText().endsWith("\n"); }, 3000));
        const QString shown = w.Memo1->toPlainText();
        QVERIFY2(shown.startsWith("M8") && shown.count(u'\n') == 1, qPrintable(shown));

        // Retro-commands: the kelt.ini caption, the tick, the face sending it again.
        QCOMPARE(w.retroItem(3)->text(), QStringLiteral("Zéro"));
        QCOMPARE(w.retroItem(0)->text(), QStringLiteral("Rétrocommande 0"));
        w.btn_retrocommande->click(); // nothing ticked: nothing sent
        w.retroItem(3)->trigger();
        QCOMPARE(w.btn_retrocommande->text(), QStringLiteral("Zéro"));
        w.btn_retrocommande->click();
        QVERIFY(mux.waitForLog("@*L3\r\n@*L3\r\n", 2000));
        QVERIFY(!mux.log().contains("@*L0"));

        // A language change keeps user captions and the generic ones already given.
        w.findChild<QAction *>("Langue11")->trigger();
        QCOMPARE(w.btn_connexion->text(), QStringLiteral("Connect multiplexer"));
        QCOMPARE(w.retroItem(3)->text(), QStringLiteral("Zéro"));
        QCOMPARE(w.retroItem(0)->text(), QStringLiteral("Rétrocommande 0"));
        QCOMPARE(w.btn_retrocommande->text(), QStringLiteral("Retro-command"));
        QVERIFY(!w.findChild<QAction *>("Langue21")->isChecked());
        QCOMPARE(common::IniFile::load(folders.ini()).readInteger("GENERAL", "Langue", 0), 1);

        w.Effacerlazonetampon1->trigger();
        QCOMPARE(w.Memo1->toPlainText(), QString());
        QCOMPARE(boxTexts(boxes), QStringList());
    }

    void models_data()
    {
        testsupport::columns<QString, QString, int, bool>("model", "status", "inputs", "config");
        QTest::newRow("D") << "D" << "Vantor -> COM1" << 8 << true;
        QTest::newRow("A") << "A" << "Brisca -> COM1" << 8 << false;
        QTest::newRow("M") << "M" << "Pellum -> COM1" << 3 << true;
        QTest::newRow("2") << "2" << "Multiplexer 2 -> COM1" << 2 << true;
    }

    void models()
    {
        QFETCH(QString, model);
        QFETCH(int, inputs);
        QFETCH(QString, status);
        QFETCH(bool, config);
        MuxSimProcess mux;
        QVERIFY2(mux.start({"--model", model}), qPrintable(mux.errorString()));
        Folders folders;
        auto program = startSetrix(folders, {mux.linkPath()});
        TForm1 &w = program->mainWindow();
        QCOMPARE(w.statusPanel(0), status);
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(w.instrumentItem(k)->isVisible(), k <= inputs);
        QCOMPARE(w.btn_config->isEnabled(), config);
        QVERIFY(w.btn_snumber->isEnabled());
    }

    void updateQuestion_data()
    {
        testsupport::columns<int, int>("age", "questions");
        QTest::newRow("30 days") << 30 << 0;
        QTest::newRow("31 days") << 31 << 1;
    }

    // No multiplexer: the error first, then the question on an old list.
    void updateQuestion()
    {
        QFETCH(int, age);
        QFETCH(int, questions);
        Folders folders(age);
        common::MessageBoxAnswerer boxes;
        boxes.answerWith("OK");
        boxes.answerWith("&Non");
        auto program = startSetrix(folders, {});
        QStringList expected {"Error: No multiplexer found.\n\rCheck the cable and click “Connect multiplexer”."};
        if (questions)
            expected << "Information: The cable list is more than 30 days old.\r\nDo you want to update it now?";
        QCOMPARE(boxTexts(boxes), expected);
        QVERIFY(program->mainWindow().btn_connexion->isEnabled());
    }

    void cableIdentityCheck_data()
    {
        testsupport::columns<QString, bool>("reply", "opens");
        QTest::newRow("analog cable") << "AT 51002 ANALOG" << false;
        QTest::newRow("programmable cable") << "AT 50432 RS232" << true;
    }

    // Model D: "@*AT" on the chosen input; only a programmable cable opens its window.
    void cableIdentityCheck()
    {
        QFETCH(QString, reply);
        QFETCH(bool, opens);
        MuxSimProcess mux;
        QVERIFY2(mux.start({"--model", "D", "--at-reply", reply}), qPrintable(mux.errorString()));
        Folders folders;
        common::MessageBoxAnswerer boxes;
        auto program = startSetrix(folders, {mux.linkPath()});
        TForm1 &w = program->mainWindow();

        w.btn_config->click(); // no instrument yet
        w.instrumentItem(2)->trigger();
        auto opened = closeNextDialog(&w);
        w.btn_config->click();
        QVERIFY(mux.log().endsWith("@*N2\r\n@*N2\r\n@*AT\r\n"));
        QStringList expected {"Information: First choose an instrument with “Select instrument”."};
        if (!opens)
            expected << "Error: This cable cannot be programmed. The cable answered:\r\n" + reply;
        QCOMPARE(boxTexts(boxes), expected);
        QCOMPARE(*opened, opens);
        QCOMPARE(program->dialogs().form4->windowTitle(), reply);
    }

    // Closing during the start-up scan ends it there: no box, no question, no later port touched.
    void closeDuringStartupScan()
    {
        MuxSimProcess silent, mux;
        QVERIFY2(silent.start({"--silent"}), qPrintable(silent.errorString()));
        QVERIFY2(mux.start({"--model", "8"}), qPrintable(mux.errorString()));
        Folders folders(40);
        common::MessageBoxAnswerer boxes;
        qputenv("MUX_PORTS", (silent.linkPath() + ',' + mux.linkPath()).toLocal8Bit());
        SetrixProgram program(folders.folders());
        TForm1 &w = program.mainWindow();
        QTimer::singleShot(500, &w, [&w] { w.close(); });
        w.show();
        QVERIFY(QTest::qWaitFor([&] { return w.startupDone(); }, 20000));
        QCOMPARE(boxTexts(boxes), QStringList());
        QVERIFY(!w.mux_trouve());
        QCOMPARE(w.port_com(), 0);
        QCOMPARE(mux.log(), QByteArray());
    }

    void unreadableCableList_data()
    {
        // startError: %1 is the list's path; answer: to the update question;
        // windowError: of the cable window, empty when its lists are filled
        testsupport::columns<QString, QString, QString, QString>("kind", "startError", "answer", "windowError");
        QTest::newRow("missing") << "missing" << "Fichier introuvable" << "&Non" << "Fichier introuvable";
        QTest::newRow("empty, replaced") << "empty" << "'' n'est pas une date correcte" << "&Oui" << "";
        QTest::newRow("fifo") << "fifo" << "Impossible d'ouvrir le fichier %1" << "&Non"
                              << "Impossible d'ouvrir le fichier %1";
        QTest::newRow("fifo, replaced") << "fifo" << "Impossible d'ouvrir le fichier %1" << "&Oui" << "";
    }

    // A cable list that cannot be read costs none of the start-up: its error once,
    // the language, the update offered with its text and able to replace the list;
    // the cable windows read it again without waiting on a FIFO.
    void unreadableCableList()
    {
        QFETCH(QString, kind);
        QFETCH(QString, startError);
        QFETCH(QString, answer);
        QFETCH(QString, windowError);
        MuxSimProcess mux;
        QVERIFY2(mux.start({"--model", "8", "--version", "1"}), qPrintable(mux.errorString()));
        Folders folders(0, false);
        folders.writeSettings("[GENERAL]\r\nLangue=2\r\n");
        const QString list = folders.start.filePath("cable.txt");
        if (kind == "empty")
            Folders::write(list, {});
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);
        common::MessageBoxAnswerer boxes;
        boxes.answerWith("OK");
        boxes.answerWith(answer);
        qputenv("MUX_PORTS", mux.linkPath().toLocal8Bit());
        SetrixProgram program(folders.folders());
        TForm1 &w = program.mainWindow();
        const QString shipped = QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt");
        program.dialogs().form3->setFileChooser([&] { return shipped; });
        // The update window takes the shipped list from disk; the cable type chooser
        // opens the cable window, which is closed again once shown.
        bool cableWindowShown = false;
        QTimer modals;
        QObject::connect(&modals, &QTimer::timeout, &w, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *update = qobject_cast<TForm3 *>(modal))
                QTimer::singleShot(0, update->Button3, &QPushButton::click);
            else if (auto *chooser = qobject_cast<TForm7 *>(modal))
                QTimer::singleShot(0, chooser->Button1, &QPushButton::click);
            else if (auto *cables = qobject_cast<TForm2 *>(modal)) {
                cableWindowShown = true;
                cables->reject();
            }
        });
        modals.start(50);
        w.show();
        QVERIFY(QTest::qWaitFor([&] { return w.startupDone(); }, 60000));

        QCOMPARE(boxTexts(boxes), QStringList({"Erreur: " + startError.arg(list),
                                               "Information: La liste des câbles a plus de 30 jours.\r\n"
                                               "Voulez-vous la mettre à jour maintenant ?"}));
        QVERIFY(w.findChild<QAction *>("Langue21")->isChecked());
        QCOMPARE(w.btn_connexion->text(), QStringLiteral("Connexion multiplexeur"));
        QCOMPARE(w.btn_retrocommande->text(), QStringLiteral("Rétrocommande"));
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexeur 8 -> COM1"));
        QCOMPARE(QFileInfo(list).isFile(), answer == "&Oui");

        w.btn_config->click();
        QVERIFY(cableWindowShown);
        QStringList afterConfig = boxTexts(boxes).mid(2);
        QCOMPARE(afterConfig.value(0), QStringLiteral("Information: Configuration possible sur l'entrée 5"));
        QCOMPARE(afterConfig.mid(1), windowError.isEmpty() ? QStringList() : QStringList{"Erreur: " + windowError.arg(list)});
        QCOMPARE(program.dialogs().form2->ref_cable->count() > 0, windowError.isEmpty());
    }

    // A language file of 40 lines empties every later caption and message.
    void shortLanguageFile()
    {
        Folders folders;
        QFile english(QStringLiteral(SOURCE_DIR "/lang/setrix/English.lng"));
        QVERIFY(english.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = english.readAll().split('\n');
        QFile::remove(folders.start.filePath("Francais.lng"));
        Folders::write(folders.start.filePath("English.lng"), lines.mid(0, 40).join('\n'));
        common::MessageBoxAnswerer boxes;
        auto program = startSetrix(folders, {});
        TForm1 &w = program->mainWindow();
        QCOMPARE(w.btn_config->text(), QStringLiteral("Cable configuration"));
        QCOMPARE(w.Configurer1->text(), QString());
        QCOMPARE(program->dialogs().form6->windowTitle(), QString());
        QCOMPARE(program->dialogs().form7->Label1->text(), QString());
        QCOMPARE(w.retroItem(1)->text(), QStringLiteral(" 1"));
    }

    // A command whose put fails, or a language that cannot be read, ticks nothing and unticks nothing.
    void failedPutLeavesTheMenus()
    {
        FakeRig rig;
        testsupport::FakeSerialPorts &ports = rig.ports;
        TForm1 &w = rig.window;
        QVERIFY(rig.services.link.openPort(0));
        w.instrumentItem(3)->trigger();
        w.retroItem(2)->trigger();
        QCOMPARE(ports.device(0).written, QByteArray("@*N3\r\n@*L2\r\n"));

        ports.SioDone(0);
        for (int k : {3, 5})
            w.instrumentItem(k)->trigger();
        for (int d : {2, 6})
            w.retroItem(d)->trigger();
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(w.instrumentItem(k)->isChecked(), k == 3);
        for (int d = 0; d < 10; ++d)
            QCOMPARE(w.retroItem(d)->isChecked(), d == 2);
        QCOMPARE(w.instrument_choisi(), 3);
        QCOMPARE(w.statusPanel(1), QStringLiteral("Instrument 3 selected"));

        // Likewise a language whose file has gone.
        common::MessageBoxAnswerer boxes;
        QVERIFY(QFile::remove(rig.folders.start.filePath("Francais.lng")));
        w.findChild<QAction *>("Langue21")->trigger();
        QCOMPARE(boxTexts(boxes), QStringList({"Error: File not found"}));
        QVERIFY(w.findChild<QAction *>("Langue11")->isChecked());
        QVERIFY(!w.findChild<QAction *>("Langue21")->isChecked());
    }

    // The status bar's texts follow a language change: the model found, the
    // instrument chosen, then the multiplexer's loss.
    void statusFollowsTheLanguage()
    {
        FakeRig rig;
        testsupport::FakeSerialPorts &ports = rig.ports;
        TForm1 &w = rig.window;
        rig.answerIdentification("M8 MUXSIM v5\r\n");
        w.btn_connexionClick();
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexer 8 -> COM1"));
        w.instrumentItem(3)->trigger();
        QCOMPARE(w.statusPanel(1), QStringLiteral("Instrument 3 selected"));

        w.findChild<QAction *>("Langue21")->trigger();
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexeur 8 -> COM1"));
        QCOMPARE(w.statusPanel(1), QStringLiteral("Instrument 3 sélectionné"));

        ports.device(0).goneAt = rig.clock.now;
        w.Timer1Timer();
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexeur déconnecté"));
        w.findChild<QAction *>("Langue11")->trigger();
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexer disconnected"));
    }

    // After a lost port the new scan's waits still show what arrives, so it cannot
    // be taken for the identification line.
    // A port the user may not open: named with the fix, in the chosen language,
    // in the box and on the terminal.
    void portClosedToTheUser()
    {
        FakeRig rig;
        rig.ports.device(0).denied = true;
        common::MessageBoxAnswerer boxes;
        boxes.answerWith("OK");
        const QByteArray terminal = testsupport::capturingStandardError([&] { rig.window.btn_connexionClick(); });
        const QString text = "Access to the serial port COM1 denied: add yourself to the dialout group "
                             "(sudo usermod -aG dialout $USER), then log out and log in again.";
        QCOMPARE(boxTexts(boxes), QStringList {"Error: " + text});
        QCOMPARE(terminal, text.toUtf8() + '\n');
        QVERIFY(!rig.window.mux_trouve());
    }

    void rescanAfterLossShowsWhatArrives()
    {
        FakeRig rig;
        testsupport::FakeClock &clock = rig.clock;
        testsupport::FakeSerialPorts &ports = rig.ports;
        TForm1 &w = rig.window;
        rig.answerIdentification("MX MUXSIM v5\r\n");
        w.btn_connexionClick();
        QVERIFY(w.mux_trouve());
        ports.device(0).goneAt = clock.now;
        w.Timer1Timer();
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexer disconnected"));

        ports.device(0).gone = false;
        ports.device(0).goneAt = -1;
        ports.arrive(0, "V 12.5\r\n", 100);
        rig.pump.onEvents = [&] {
            clock.advance(500);
            w.Timer1Timer();
        };
        common::MessageBoxAnswerer boxes;
        w.btn_connexionClick();
        QVERIFY(boxes.seen().isEmpty());
        QVERIFY(w.mux_trouve());
        QCOMPARE(w.statusPanel(0), QStringLiteral("Pellum -> COM1"));
        QVERIFY(w.Memo1->toPlainText().startsWith("V 12.5\n"));
    }

    // A device that never ends its lines: each line stops at the limit and the next goes on.
    void floodWithoutLineFeedIsBrokenIntoLines()
    {
        MuxSimProcess mux;
        QVERIFY2(mux.start({"--model", "8", "--reading-end", "none", "--interval", "1"}), qPrintable(mux.errorString()));
        Folders folders;
        auto program = startSetrix(folders, {mux.linkPath()});
        TForm1 &w = program->mainWindow();
        w.instClick(1);
        QVERIFY(QTest::qWaitFor([&] { return w.Memo1->toPlainText().count(u'\n') >= 2; }, 15000));
        const QStringList lines = w.Memo1->toPlainText().split(u'\n');
        QCOMPARE(lines.at(0).size(), receiveLineLimit);
        QCOMPARE(lines.at(1).size(), receiveLineLimit);
        QVERIFY(lines.last().size() <= receiveLineLimit);
        // Nothing is lost at the breaks: the readings run on across them.
        const QString joined = lines.join(QString());
        QVERIFY2(joined.startsWith("V1 IN1 #0001 +00000000.001  MMV1 IN1 #0002 "), qPrintable(joined.left(80)));
        QCOMPARE(joined.count("  MMV1 IN1 #"), joined.count("V1 IN1 #") - 1);
    }

    // Only the newest lines stay, the last one still growing.
    void receiveAreaKeepsTheNewestLines()
    {
        FakeRig rig;
        QVERIFY(rig.services.link.openPort(0));
        const int sent = receiveLinesKept + 150;
        QByteArray bytes;
        for (int i = 1; i <= sent; ++i)
            bytes += "L" + QByteArray::number(i) + "\r\n";
        rig.ports.arrive(0, bytes + "tail", 0);
        for (int i = 0; i <= sent; ++i) // one line a tick, then the tail
            rig.window.Timer1Timer();
        const QTextDocument *document = rig.window.Memo1->document();
        QCOMPARE(document->blockCount(), receiveLinesKept);
        QCOMPARE(document->firstBlock().text(), "L" + QString::number(sent - receiveLinesKept + 2));
        QCOMPARE(document->lastBlock().text(), QStringLiteral("tail"));
    }

    // A language file saved as UTF-16 with its byte-order mark reads as text.
    void utf16LanguageFile()
    {
        Folders folders;
        QFile::remove(folders.start.filePath("Francais.lng"));
        const QByteArray english = testsupport::readBytes(QStringLiteral(SOURCE_DIR "/lang/setrix/English.lng"));
        testsupport::writeBytes(folders.start.filePath("English.lng"),
                                testsupport::utf16WithBom(common::decodeText(english)));
        common::MessageBoxAnswerer boxes;
        auto program = startSetrix(folders, {});
        QCOMPARE(program->mainWindow().btn_connexion->text(), QStringLiteral("Connect multiplexer"));
        QCOMPARE(boxTexts(boxes).value(0),
                 QStringLiteral("Error: No multiplexer found.\n\rCheck the cable and click “Connect multiplexer”."));
    }

    // The device goes away: the port is dropped and a new scan offered.
    void unpluggedSimulator()
    {
        MuxSimProcess mux;
        QVERIFY2(mux.start({"--model", "4"}), qPrintable(mux.errorString()));
        Folders folders;
        common::MessageBoxAnswerer boxes;
        auto program = startSetrix(folders, {mux.linkPath()});
        TForm1 &w = program->mainWindow();
        QVERIFY(w.mux_trouve());
        mux.stop();
        QVERIFY(QTest::qWaitFor([&] { return w.btn_connexion->isEnabled(); }, 5000));
        QCOMPARE(w.statusPanel(0), QStringLiteral("Multiplexer disconnected"));
        QVERIFY(!w.btn_snumber->isEnabled() && !w.btn_selection->isEnabled() && !w.btn_config->isEnabled());
        w.instClick(1); // fails at the put, changes nothing
        QCOMPARE(w.statusPanel(1), QString());
        QVERIFY(boxes.seen().isEmpty());
    }

    // Without kelt.ini the desktop's language is taken and kept; a stored one
    // wins. The update window opens on demand, whatever the list's age.
    void firstStartLanguageAndUpdateOnDemand()
    {
        qputenv("LC_ALL", "");
        qputenv("LC_MESSAGES", "");
        qputenv("LANG", "fr_FR.UTF-8");
        common::MessageBoxAnswerer boxes;
        Folders french;
        auto program = startSetrix(french, {});
        TForm1 &w = program->mainWindow();
        QVERIFY(w.findChild<QAction *>("Langue21")->isChecked());
        QCOMPARE(common::IniFile::load(french.ini()).readString("GENERAL", "Langue"), "2");
        QCOMPARE(w.MiseAJour1->text(), "&Rechercher une mise à jour de la liste des câbles");
        const auto updateShown = closeNextDialog(&w);
        w.MiseAJour1->trigger();
        QVERIFY(*updateShown);
        program.reset();

        Folders stored;
        stored.writeSettings("[GENERAL]\r\nLangue=1\r\n");
        program = startSetrix(stored, {});
        QVERIFY(program->mainWindow().findChild<QAction *>("Langue11")->isChecked());
        QCOMPARE(program->mainWindow().MiseAJour1->text(), "&Check for a cable list update");
        qputenv("LANG", "C.UTF-8");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_principal.moc"
