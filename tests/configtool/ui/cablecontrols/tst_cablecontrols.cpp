// The cable windows inside Setrix against the simulator: the reading-mode
// window, the cable type chooser, and a read and a program through each page.
// With CABLE_SCREENSHOTS set to a folder, each window is also saved there.
#include "configtool/ui/config_avancee.h"
#include "configtool/ui/prog_form.h"
#include "configtool/ui/prog_vtr.h"
#include "configtool/ui/setrixprogram.h"
#include "configtool/ui/typecable.h"
#include "tests/support/datacolumns.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

#include <signal.h>

using namespace configtool;
using testsupport::MuxSimProcess;

namespace {

// Start-up and settings folders with the shipped language files (English first,
// so applied) and cable list.
struct Folders {
    QTemporaryDir start;
    QTemporaryDir settings;
    Folders()
    {
        for (const char *name : {"English.lng", "Francais.lng"})
            QFile::copy(QStringLiteral(SOURCE_DIR "/lang/setrix/") + name, start.filePath(name));
        QFile list(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt"));
        list.open(QIODevice::ReadOnly);
        QByteArray bytes = list.readAll();
        bytes.replace(0, 10, QDate::currentDate().toString("dd/MM/yyyy").toLatin1());
        QFile copy(start.filePath("cable.txt"));
        copy.open(QIODevice::WriteOnly);
        copy.write(bytes);
    }
    SetrixFolders folders() const { return {settings.path(), start.path(), [] { return QDate::currentDate(); }, {}}; }
    QByteArray ini() const
    {
        QFile f(settings.filePath("kelt.ini"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

struct Setrix {
    explicit Setrix(const QStringList &simulatorArgs)
    {
        started = sim.start(simulatorArgs);
        qputenv("MUX_PORTS", sim.linkPath().toLocal8Bit());
        program = std::make_unique<SetrixProgram>(folders.folders());
        main().show();
        ready = started && QTest::qWaitFor([this] { return main().startupDone(); }, 30000);
    }
    TForm1 &main() { return program->mainWindow(); }
    const SetrixDialogs &dialogs() const { return program->dialogs(); }

    MuxSimProcess sim;
    Folders folders;
    common::MessageBoxAnswerer boxes;
    std::unique_ptr<SetrixProgram> program;
    bool started = false;
    bool ready = false;
};

// Runs `act` once `dialog` is the active modal window, from a polling timer so
// that nested modal loops do not stack on each other.
void whenModal(QDialog *dialog, std::function<void()> act)
{
    auto *timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [timer, dialog, act] {
        if (QApplication::activeModalWidget() != dialog)
            return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start(20);
}

// Picks the list item that starts with `reference`, as a click in the list would.
void choose(QComboBox *list, const QString &reference)
{
    const int index = list->findText(reference, Qt::MatchStartsWith);
    QVERIFY2(index >= 0, qPrintable(reference));
    list->setCurrentIndex(index);
}

// What the simulator received after the first `from` bytes, once `marker` is among them.
QByteArray sentSince(MuxSimProcess &sim, qsizetype from, const QByteArray &marker)
{
    if (!sim.waitForLog(marker, 5000))
        return "<" + marker + " never sent>";
    const QByteArray log = sim.log().mid(from);
    return log.contains(marker) ? log : "<" + marker + " sent before>";
}

// The cable list's own name for odd parity, typed in any case, is programmed as
// odd; read back, the box shows the language's entry.
void programsListName(Setrix &setrix, Rs232Controls &form, const QString &typed, const QByteArray &command)
{
    form.c_parite->setEditText(typed);
    form.btn_prog->click();
    QVERIFY(setrix.sim.waitForLog(command, 5000));
    QCOMPARE(boxTexts(setrix.boxes).last(), QString("Information: Programming finished."));
    form.btn_lire->click();
    QCOMPARE(form.c_parite->currentText(), QString("ODD"));
}

// A parity that names nothing is refused before the first byte: the next bytes
// on the wire are those of the read that follows.
void refusesParity(Setrix &setrix, Rs232Controls &form, const QString &parity, const QString &box,
                   const QByteArray &readCommand)
{
    const qsizetype sent = setrix.sim.log().size();
    form.c_parite->setEditText(parity);
    form.btn_prog->click();
    QCOMPARE(boxTexts(setrix.boxes).last(), box);
    QVERIFY(form.btn_prog->isEnabled());
    form.btn_lire->click();
    QVERIFY(sentSince(setrix.sim, sent, readCommand).startsWith(readCommand));
}

// Stops the simulator once `marker` has reached it, from a thread of its own:
// a read blocks on the port without serving the window's events.
class StopWhenLogged {
public:
    StopWhenLogged(MuxSimProcess &sim, const QByteArray &marker)
        : m_thread([this, &sim, marker, pid = sim.processId()] {
              // Never 0, which would stop the whole process group.
              while (!m_done && pid > 0) {
                  if (sim.log().contains(marker)) {
                      ::kill(pid_t(pid), SIGTERM);
                      m_stopped = true;
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(2));
              }
          })
    {
    }
    ~StopWhenLogged()
    {
        m_done = true;
        m_thread.join();
    }
    bool stopped() const { return m_stopped; }

private:
    std::atomic<bool> m_done = false;
    std::atomic<bool> m_stopped = false;
    std::thread m_thread;
};

const QString lostBox =
    "Error: The multiplexer was disconnected. Plug it in again, then connect it from the main window.";

void screenshot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("CABLE_SCREENSHOTS");
    if (!folder.isEmpty())
        window->grab().save(folder + '/' + name + ".png");
}

} // namespace

class TestCableWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void readingModeGivesTheMask()
    {
        Setrix setrix({"--model", "4"});
        QVERIFY(setrix.ready);
        QVERIFY(setrix.main().mux_trouve());
        TForm6 *form = setrix.dialogs().form6;
        form->show();
        QVERIFY(!form->GroupBox2->isVisible());
        QVERIFY(form->INS[3]->isVisibleTo(form->GroupBox2) && !form->INS[4]->isVisibleTo(form->GroupBox2));
        QCOMPARE(form->Lecture->title(), QString("Reading"));
        form->Edits[3]->setText(QStringLiteral("Zéro"));
        form->LectureItems[1]->click();
        QVERIFY(form->GroupBox2->isVisible());
        form->INS[0]->click();
        form->INS[2]->click();
        screenshot(form, "TForm6");
        form->Button1->click();

        TForm1 &main = setrix.main();
        QVERIFY(!form->isVisible());
        QCOMPARE(main.instrumentMask(), quint8(0x05));
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(main.instrumentItem(n)->isChecked(), n == 1 || n == 3);
            QVERIFY(!main.instrumentItem(n)->isEnabled());
        }
        QCOMPARE(main.retroItem(3)->text(), QStringLiteral("Zéro"));
        QVERIFY(setrix.folders.ini().contains("rcmde3=Z\xE9ro") || setrix.folders.ini().contains("rcmde3=Zéro"));
        QVERIFY(setrix.folders.ini().contains("rcmde0=\r\n"));

        // The selection button sends the mask.
        main.btn_selection->click();
        QVERIFY(setrix.sim.waitForLog("@*M0\x05\r\n", 2000));

        // Back to addressed mode: mask cleared, items enabled and unticked, even on cancel.
        form->show();
        form->LectureItems[0]->click();
        form->Button2->click();
        QCOMPARE(main.instrumentMask(), quint8(0));
        QVERIFY(main.instrumentItem(1)->isEnabled() && !main.instrumentItem(1)->isChecked());

        // Clicking the mode already selected changes nothing: the chosen instrument stays ticked.
        main.instrumentItem(2)->trigger();
        QVERIFY(main.instrumentItem(2)->isChecked());
        form->show();
        form->LectureItems[0]->click();
        form->Button2->click();
        QVERIFY(main.instrumentItem(2)->isChecked());
    }

    void cableTypeChooserPicksThePage_data()
    {
        testsupport::columns<int, QString, bool>("index", "typed", "analog");
        QTest::newRow("analog entry") << 0 << QString() << true;
        QTest::newRow("RS232 entry") << 1 << QString() << false;
        QTest::newRow("typed text") << -1 << QString("xyz") << false;
    }
    void cableTypeChooserPicksThePage()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(bool, analog);
        Setrix setrix({"--model", "8", "--version", "0"});
        QVERIFY(setrix.ready);
        TForm7 *chooser = setrix.dialogs().form7;
        TForm2 *form = setrix.dialogs().form2;
        if (index >= 0)
            chooser->ComboBox1->setCurrentIndex(index);
        else
            chooser->ComboBox1->setEditText(typed);
        QCOMPARE(chooser->ComboBox1->itemText(0), QString("Analog"));
        QWidget *page = nullptr;
        bool gridOffered = false;
        whenModal(form, [&] {
            page = form->PageControl1->currentWidget();
            gridOffered = !form->Button1->isHidden();
            screenshot(form, analog ? "TForm2_analog" : "TForm2_rs232");
            form->reject();
        });
        // The main window's cable button opens the chooser for this model; its OK opens the form.
        whenModal(chooser, [&] {
            screenshot(chooser, "TForm7");
            chooser->Button1->click();
        });
        setrix.main().btn_config->click();
        QCOMPARE(page, analog ? form->TabSheet2 : form->TabSheet1);
        QVERIFY(gridOffered);
        QVERIFY(!chooser->isVisible());
    }

    // A multiplexer whose cables cannot use the grid is not offered the ">>" button;
    // a grid already open stays included.
    void gridNotOfferedToLimitedVersion()
    {
        Setrix setrix({"--model", "8", "--version", "1"});
        QVERIFY(setrix.ready);
        TForm7 *chooser = setrix.dialogs().form7;
        TForm2 *form = setrix.dialogs().form2;
        form->showRs232Page();
        form->show();
        form->Button1->click();
        QVERIFY(form->gridIncluded());
        QCOMPARE(form->Button1->text(), QString("<<"));
        form->hide();
        bool gridOffered = true;
        whenModal(form, [&] {
            gridOffered = !form->Button1->isHidden();
            form->reject();
        });
        whenModal(chooser, [&] { chooser->Button1->click(); });
        setrix.main().btn_config->click();
        QVERIFY(!gridOffered);
        QVERIFY(form->gridIncluded());
        QCOMPARE(boxTexts(setrix.boxes).size(), 1);
    }

    void rs232PageProgramsAndReads()
    {
        Setrix setrix({"--model", "8", "--cable", "register"});
        QVERIFY(setrix.ready);
        TForm2 *form = setrix.dialogs().form2;
        form->showRs232Page();
        form->show();
        QCOMPARE(form->ref_cable->currentText(), QString("51101 COMPARATEUR C10    "));
        QCOMPARE(form->rs232Reference(), std::optional<int>(51101));
        QCOMPARE(form->tabCmde->item(9, 0)->text(), QString("9"));
        QCOMPARE(form->c_parite->currentText(), QString("NONE"));

        // Choosing a reference loads its record.
        form->ref_cable->setCurrentIndex(1);
        QCOMPARE(form->ComboBox4->currentText(), QString("INCH"));
        QCOMPARE(form->rs232Reference(), std::optional<int>(51102));

        // Hexadecimal boxes keep only what they may hold.
        form->Edit3->clear();
        QTest::keyClicks(form->Edit3, "$0G");
        QCOMPARE(form->Edit3->text(), QString());
        QTest::keyClicks(form->Edit3, "$0d5");
        QCOMPARE(form->Edit3->text(), QString("$0d"));
        form->ComboBox1->setCurrentText("19200");
        form->Edit1->setText("$0A");
        form->btn_prog->click();
        QCOMPARE(boxTexts(setrix.boxes), QStringList{"Information: Programming finished."});
        QCOMPARE(form->ProgressBar1->value(), 65);
        QVERIFY(form->btn_lire->isEnabled() && form->btn_prog->isEnabled());
        const QByteArray log = setrix.sim.log();
        QVERIFY(log.contains("@PA\x09\r\n@RA\r\n"));
        QVERIFY(log.contains("@PD\n@RD\r\n"));
        QVERIFY(log.contains("@PJ\x0D\r\n@RJ\r\n"));

        // The grid: typed cells are filtered, the caret stays at the end.
        form->Button1->click();
        QCOMPARE(form->Button1->text(), QString("<<"));
        QCOMPARE(form->width(), 641);
        form->tabCmde->setCurrentCell(0, 2);
        form->tabCmde->editItem(form->tabCmde->item(0, 2));
        auto *editor = form->tabCmde->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "$7F1");
        QCOMPARE(editor->text(), QString("$7F"));
        QCOMPARE(form->tabCmde->item(0, 2)->text(), QString("$7F"));
        QTest::keyClick(editor, Qt::Key_Escape);

        form->Edit1->setText("$0D");
        form->ComboBox1->setCurrentText("1200");
        form->btn_lire->click();
        QCOMPARE(boxTexts(setrix.boxes).size(), 1);
        QCOMPARE(form->ComboBox1->currentText(), QString("19200"));
        QCOMPARE(form->Edit1->text(), QString("$0A"));
        QCOMPARE(form->Edit3->text(), QString("$0D"));
        QVERIFY(form->ref_cable->currentText().startsWith("51102 COMPARATEUR C10 IN ;"));
        QCOMPARE(form->tabCmde->item(0, 2)->text(), QString()); // the cell was never programmed
        QCOMPARE(form->ProgressBar1->maximum(), 171);
        screenshot(form, "TForm2_grid");

        // The whole record line shown can be shortened, never lengthened, by typing.
        QLineEdit *reference = form->ref_cable->lineEdit();
        const QString line = reference->text();
        reference->end(false);
        QTest::keyClick(reference, Qt::Key_Backspace);
        QCOMPARE(reference->text(), line.chopped(1));
        QTest::keyClicks(reference, "xy");
        QCOMPARE(reference->text(), line.chopped(1));
        reference->setText(QString());
        QTest::keyClicks(reference, QString(30, u'9'));
        QCOMPARE(reference->text(), QString(25, u'9'));
        form->Button1->click();
        QCOMPARE(form->width(), 290);
        form->reject();
    }

    void analogPageProgramsAndReads()
    {
        Setrix setrix({"--model", "M", "--cable", "register"});
        QVERIFY(setrix.ready);
        TForm2 *form = setrix.dialogs().form2;
        form->showAnalogPage();
        form->show();
        QCOMPARE(form->ComboBox2->currentText(), QString("51901 ANALOGIQUE 0-10V   "));
        form->ComboBox2->setCurrentIndex(1);
        QCOMPARE(form->Edit10->text(), QString("-12.500"));
        QCOMPARE(form->SpinEdit3->value(), 2);
        form->Edit11->setText("25.4");
        form->Button3->click();
        QCOMPARE(boxTexts(setrix.boxes), QStringList{"Information: Programming finished."});
        QVERIFY(setrix.sim.log().contains(QByteArrayLiteral("@PA\0\r\n@RA\r\n@PB\0\r\n@RB\r\n@PCH\r\n")));

        form->Edit10->setText("1");
        form->Edit11->setText("abc");
        form->Button3->click();
        QCOMPARE(boxTexts(setrix.boxes).last(), QString("Error: 'abc' is not a valid floating point value"));
        QVERIFY(form->Button2->isEnabled() && form->Button3->isEnabled());

        form->Button2->click();
        QCOMPARE(form->Edit10->text(), QString("-12.500"));
        QCOMPARE(form->Edit11->text(), QString("25.400"));
        QVERIFY(form->ComboBox2->currentText().startsWith("51902 ANALOGIQUE +-12.5  ;"));
        QCOMPARE(form->ProgressBar2->value(), 65);
        form->reject();
    }

    void programmableCableProgramsAndReads()
    {
        Setrix setrix({"--model", "D", "--cable", "programmable"});
        QVERIFY(setrix.ready);
        TForm4 *form = setrix.dialogs().form4;
        form->show();
        QCOMPARE(form->ref_cable->itemText(0), QString("50417 RS232 PROGRAMMABLE "));
        form->ref_cable->setCurrentIndex(1);
        QCOMPARE(form->ComboBox1->currentText(), QString("4800"));
        QCOMPARE(form->SpinEdit2->value(), 7);
        QCOMPARE(form->c_parite->currentText(), QString("EVEN"));
        QCOMPARE(form->ComboBox2->currentText(), QString("5v"));
        QCOMPARE(form->r_liaison->text(), QString("Link type"));
        form->SpinEdit1->setValue(12);
        form->btn_prog->click();
        QCOMPARE(boxTexts(setrix.boxes), QStringList{"Information: Programming finished."});
        QCOMPARE(form->ComboBox4->currentText(), QString("MM  "));
        QCOMPARE(form->ProgressBar1->value(), 36);
        QVERIFY(setrix.sim.log().contains("@*V6\r\n@*B0\r\n@*P2\r\n@*F\r\r\n@*WM\r\n"));
        screenshot(form, "TForm4");

        form->SpinEdit1->setValue(3);
        form->ComboBox2->setCurrentText("12v");
        form->btn_lire->click();
        QCOMPARE(boxTexts(setrix.boxes).size(), 1);
        QCOMPARE(form->SpinEdit1->value(), 12);
        QCOMPARE(form->ComboBox2->currentText(), QString("5v"));
        QCOMPARE(form->ref_cable->currentText(), QString("50417 RS232 PROGRAMMABLE "));

        // Verified as the parity it names, not as the text.
        programsListName(setrix, *form, "impaire", "@*P3\r\n");

        // Another language renames the parity shown, even one typed over a chosen entry.
        form->c_parite->setCurrentIndex(1);
        form->c_parite->setEditText("odd");
        setrix.main().findChild<QAction *>("Langue21")->trigger();
        QCOMPARE(form->c_parite->currentText(), QString("IMPAIRE"));
        QCOMPARE(form->r_parite->text(), QString("Parité"));

        refusesParity(setrix, *form, "EVN", "Erreur: Parité inconnue : « EVN ». Choisissez une parité de la liste.",
                      "@*E?\r\n");
        form->reject();
    }

    // Whatever the language, the parity a record names is the one programmed.
    void rs232PageProgramsTheRecordsParity()
    {
        Setrix setrix({"--model", "8", "--version", "5", "--cable", "register"});
        QVERIFY(setrix.ready);
        TForm2 *form = setrix.dialogs().form2;
        form->showRs232Page();
        form->show();
        choose(form->ref_cable, "51203");
        QCOMPARE(form->c_parite->currentText(), QString("EVEN"));
        form->btn_prog->click();
        QCOMPARE(boxTexts(setrix.boxes), QStringList{"Information: Programming finished."});
        QVERIFY(setrix.sim.log().contains("@PCP\r\n@RC\r\n"));

        programsListName(setrix, *form, "Impaire", "@PCI\r\n@RC\r\n");

        refusesParity(setrix, *form, "", "Error: Unknown parity: \"\". Choose a parity from the list.", "@RA\r\n");
        form->reject();
    }

    // Each page programs the cable it shows; the analog page shows the record
    // it preselects, and a record that fails to load leaves no reference.
    void eachPageProgramsTheCableItShows()
    {
        Setrix setrix({"--model", "8", "--version", "5", "--cable", "register"});
        QVERIFY(setrix.ready);
        TForm7 *chooser = setrix.dialogs().form7;
        TForm2 *form = setrix.dialogs().form2;
        setrix.main().instrumentItem(1)->trigger();
        const auto openPage = [&](int type, std::function<void()> act) {
            whenModal(form, [form, act] {
                act();
                form->reject();
            });
            whenModal(chooser, [chooser, type] {
                chooser->ComboBox1->setCurrentIndex(type);
                chooser->Button1->click();
            });
            setrix.main().btn_config->click();
        };
        openPage(1, [form] { choose(form->ref_cable, "51203"); });

        QStringList shown;
        openPage(0, [&] {
            shown << form->ComboBox2->currentText() << form->Edit10->text() << form->Edit11->text();
            form->Button3->click();
            form->Button2->click();
            shown << form->ComboBox2->currentText().left(26);
        });
        QCOMPARE(shown, (QStringList{"51901 ANALOGIQUE 0-10V   ", "0.000", "10.000", "51901 ANALOGIQUE 0-10V   ;"}));
        QCOMPARE(boxTexts(setrix.boxes), QStringList{"Information: Programming finished."});
        QVERIFY(setrix.sim.log().contains("@PQ\xBD\r\n@RQ\r\n@PR\xCA\r\n@RR\r\n"));

        // A typed reference without a record: nothing to program on that page...
        form->showAnalogPage();
        form->show();
        form->ComboBox2->lineEdit()->selectAll();
        QTest::keyClicks(form->ComboBox2->lineEdit(), "51999");
        QTest::keyClick(form->ComboBox2->lineEdit(), Qt::Key_Return);
        QCOMPARE(boxTexts(setrix.boxes).last(), QString("Error: '' is not a valid integer value"));
        const qsizetype sent = setrix.sim.log().size();
        form->Button3->click();
        QCOMPARE(boxTexts(setrix.boxes).last(), QString("Error: No cable chosen: choose a reference from the list."));
        QVERIFY(form->Button3->isEnabled());
        form->Button2->click();
        QVERIFY(sentSince(setrix.sim, sent, "@RA").startsWith("@RA\r\n"));

        // ...while the RS232 page still programs the one it shows.
        form->showRs232Page();
        form->btn_prog->click();
        QVERIFY(setrix.sim.log().mid(sent).contains("@PQ\x03\r\n@RQ\r\n@PR\xC8\r\n@RR\r\n"));
        form->reject();
    }

    // A reference typed into a list is chosen by Enter, which starts nothing
    // else; half typed, it loads nothing and leaves no reference.
    void enterInTheReferenceListOnlyChooses()
    {
        Setrix setrix({"--model", "8", "--cable", "register"});
        QVERIFY(setrix.ready);
        TForm2 *form = setrix.dialogs().form2;
        form->showRs232Page();
        form->show();
        const qsizetype sent = setrix.sim.log().size();
        QLineEdit *typed = form->ref_cable->lineEdit();
        typed->selectAll();
        QTest::keyClicks(typed, "512");
        QCOMPARE(form->rs232Reference(), std::nullopt);
        QCOMPARE(form->ComboBox1->currentText(), QString("9600"));
        QTest::keyClicks(typed, "03");
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(boxTexts(setrix.boxes), QStringList());
        QCOMPARE(form->ComboBox1->currentText(), QString("4800"));
        QCOMPARE(form->rs232Reference(), std::optional<int>(51203));
        form->btn_prog->click();
        QVERIFY(sentSince(setrix.sim, sent, "@PA").startsWith("@PA"));
        form->reject();

        Setrix programmable({"--model", "D", "--cable", "programmable"});
        QVERIFY(programmable.ready);
        TForm4 *form4 = programmable.dialogs().form4;
        form4->show();
        const qsizetype before = programmable.sim.log().size();
        typed = form4->ref_cable->lineEdit();
        typed->selectAll();
        QTest::keyClicks(typed, "50432 RS232 PROG. 5V     "); // this list matches whole labels
        QTest::keyClick(typed, Qt::Key_Enter);
        QCOMPARE(boxTexts(programmable.boxes), QStringList());
        QCOMPARE(form4->ComboBox1->currentText(), QString("4800"));
        form4->btn_prog->click();
        QVERIFY(sentSince(programmable.sim, before, "@*V").startsWith("@*V"));
        form4->reject();
    }

    // The multiplexer goes away while a cable is programmed: the box says so
    // rather than blaming the cable, and the page is ready again.
    void multiplexerLostDuringProgramming()
    {
        Setrix setrix({"--model", "8", "--cable", "register"});
        QVERIFY(setrix.ready);
        TForm2 *form = setrix.dialogs().form2;
        form->showRs232Page();
        form->show();
        QTimer watch;
        bool stopped = false;
        QObject::connect(&watch, &QTimer::timeout, form, [&] {
            if (!stopped && setrix.sim.log().contains("@PC")) {
                stopped = true;
                setrix.sim.stop();
            }
        });
        watch.start(10);
        form->btn_prog->click();
        QVERIFY(stopped);
        QCOMPARE(boxTexts(setrix.boxes), QStringList{lostBox});
        QCOMPARE(setrix.main().statusPanel(0), QString("Multiplexer disconnected"));
        QVERIFY(form->btn_lire->isEnabled() && form->btn_prog->isEnabled());
        QCOMPARE(form->ProgressBar1->value(), 65);
        form->reject();
    }

    // A register cable that does not answer, in English.
    void silentCableSaysSoInTheLanguage()
    {
        Setrix setrix({"--model", "8", "--cable", "register", "--cable-silent"});
        QVERIFY(setrix.ready);
        TForm2 *form = setrix.dialogs().form2;
        form->showRs232Page();
        form->show();
        form->btn_lire->click();
        QCOMPARE(boxTexts(setrix.boxes), QStringList{"Error: Read error"});
        form->reject();
    }

    // The same for a register read, and for both operations of the
    // programmable cable window: never "Erreur de lecture", the cable's no-reply
    // message or "Erreur de programmation".
    void multiplexerLostDuringReadsAndProgrammableCable()
    {
        {
            // Register D holds 0, which this page waits a second for: the
            // simulator stops meanwhile.
            Setrix setrix({"--model", "8", "--cable", "register", "--registers", "44=00"});
            QVERIFY(setrix.ready);
            TForm2 *form = setrix.dialogs().form2;
            form->showRs232Page();
            form->show();
            const StopWhenLogged stop(setrix.sim, "@RD");
            form->btn_lire->click();
            QVERIFY(stop.stopped());
            QCOMPARE(boxTexts(setrix.boxes), QStringList{lostBox});
            QVERIFY(form->btn_lire->isEnabled() && form->btn_prog->isEnabled());
            form->reject();
        }
        {
            // The configuration reply stops after 20 bytes; the simulator stops while it is awaited.
            Setrix setrix({"--model", "D", "--cable", "programmable", "--cable-reply-cut", "20"});
            QVERIFY(setrix.ready);
            TForm4 *form = setrix.dialogs().form4;
            form->show();
            const StopWhenLogged stop(setrix.sim, "@*E?");
            form->btn_lire->click();
            QVERIFY(stop.stopped());
            QCOMPARE(boxTexts(setrix.boxes), QStringList{lostBox});
            form->reject();
        }
        {
            Setrix setrix({"--model", "D", "--cable", "programmable"});
            QVERIFY(setrix.ready);
            TForm4 *form = setrix.dialogs().form4;
            form->show();
            QTimer watch;
            QObject::connect(&watch, &QTimer::timeout, form, [&] {
                if (setrix.sim.log().contains("@*P")) {
                    watch.stop();
                    setrix.sim.stop();
                }
            });
            watch.start(10);
            form->btn_prog->click();
            QVERIFY(!watch.isActive());
            QCOMPARE(boxTexts(setrix.boxes), QStringList{lostBox});
            QCOMPARE(setrix.main().statusPanel(0), QString("Multiplexer disconnected"));
            QVERIFY(form->btn_lire->isEnabled() && form->btn_prog->isEnabled());
            QCOMPARE(form->ProgressBar1->value(), 36);
            form->reject();
        }
    }
};

QTEST_MAIN(TestCableWindows)
#include "tst_cablecontrols.moc"
