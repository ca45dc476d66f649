// Quorix typing into LibreOffice Calc as a user runs it, on the test's X
// server with a window manager, Calc held to about a third of a core: every
// value of the journal must be in its cell, as a number, read back through
// LibreOffice itself.
#include "acquisition/configfile.h"
#include "tests/support/datacolumns.h"
#include "tests/support/desktop/dutycycle.h"
#include "tests/support/desktop/librecalc.h"
#include "tests/support/desktop/typingrun.h"
#include "tests/support/desktop/x11desktop.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/quorixfolder.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/processes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace acquisition;
using testsupport::LibreCalc;
using testsupport::X11Desktop;

namespace {

constexpr int kValues = 100;
constexpr int kSeriesLength = 10; // instruments 1 and 2, five readings each, down a column

// Signed, with decimals, long, with leading zeros, and digits repeated.
const QString kSimulatorValues = QStringLiteral("11.25,0.001,-3.5,1000000,-00012.340,22,1111.11,7.77,-0.005,100.001,"
                                                "99,000042,-1.25,333.333");

// Quorix in a folder of its own reading instruments 1 and 2 five times each
// down a column, each series one column right of the one before.
class Quorix {
public:
    bool start(const QString &port)
    {
        const QString program = m_folder.filePath("Ondo_prj");
        if (!QFile::copy(QStringLiteral(ONDO_PRJ_PATH), program))
            return false;
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        testsupport::readTwoInstrumentsDownColumns(values);
        if (!testsupport::writeQuorixStart(m_folder.path(), "calc.mux", values, "[CLAVIER]\r\nSortie=x11\r\n"))
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MUX_PORTS", port);
        env.insert("XDG_DATA_HOME", m_folder.filePath("data"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(m_folder.path());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(program);
        return m_process.waitForStarted(5000);
    }
    ~Quorix() { testsupport::endProcess(m_process, 3000); }
    qint64 pid() const { return m_process.processId(); }

    // The values of the journal, in the order taken.
    QStringList journalValues() const
    {
        QStringList values;
        const QDir folder(m_folder.filePath("data/quorix/journal"));
        for (const QString &name : folder.entryList({"*.csv"}, QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> lines = file.readAll().split('\n');
            for (int i = 1; i < lines.size(); ++i) {
                if (!lines[i].trimmed().isEmpty())
                    values << QString::fromUtf8(lines[i].trimmed().split(',').last()).trimmed();
            }
        }
        return values;
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};

bool runCommand(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(20000) && process.exitCode() == 0;
}

} // namespace

class TestQuorixCalc : public QObject {
    Q_OBJECT
    X11Desktop desktop;

private slots:
    void initTestCase() { QVERIFY2(desktop.start(), qPrintable(desktop.errorString())); }

    // CI runs the hardest of each plug-in; CALC_FULL_MATRIX=1 (scripts/calc-matrix) runs them all.
    void everyValueLandsAsANumber_data()
    {
        testsupport::columns<QString, QString, int, int>("plugin", "locale", "intervalMs", "runMs");
        if (qEnvironmentVariableIsEmpty("CALC_FULL_MATRIX")) {
            QTest::newRow("gen, French, slow PC") << "gen" << "fr_FR.UTF-8" << 200 << 30;
            QTest::newRow("gtk3, English, slow PC") << "gtk3" << "C.UTF-8" << 200 << 30;
            QTest::newRow("gtk3, French, idle, 50 ms") << "gtk3" << "fr_FR.UTF-8" << 50 << 100;
            return;
        }
        for (const QString plugin : {"gen", "gtk3"}) {
            for (const QString locale : {"C.UTF-8", "fr_FR.UTF-8"}) {
                const QString row = plugin + ", " + locale + ", ";
                QTest::newRow(qPrintable(row + "idle, 200 ms")) << plugin << locale << 200 << 100;
                QTest::newRow(qPrintable(row + "busy, 200 ms")) << plugin << locale << 200 << 50;
                QTest::newRow(qPrintable(row + "slow, 200 ms")) << plugin << locale << 200 << 30;
                QTest::newRow(qPrintable(row + "idle, 50 ms")) << plugin << locale << 50 << 100;
                QTest::newRow(qPrintable(row + "slow, 1 s")) << plugin << locale << 1000 << 30;
            }
        }
    }
    void everyValueLandsAsANumber()
    {
        QFETCH(QString, plugin);
        QFETCH(QString, locale);
        QFETCH(int, intervalMs);
        QFETCH(int, runMs);

        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--values", kSimulatorValues, "--interval", QString::number(intervalMs)}),
                 qPrintable(sim.errorString()));
        LibreCalc calc;
        QVERIFY2(calc.start(plugin, locale), "LibreOffice Calc did not start (scripts/setup installs it)");
        std::optional<X11Desktop::Client> sheet;
        QVERIFY(QTest::qWaitFor([&] { return (sheet = calc.window(desktop)).has_value(); }, 60000));

        Quorix quorix;
        QVERIFY(quorix.start(sim.linkPath()));
        std::optional<X11Desktop::Client> main;
        QVERIFY(QTest::qWaitFor([&] {
            main = desktop.client(quorix.pid(), "Quorix", [](const X11Desktop::Client &c) { return c.geometry.width() == 171; });
            return main.has_value();
        }, 30000));
        // The values start in A1 of the sheet, which has the focus.
        QVERIFY(runCommand("xdotool", {"windowactivate", "--sync", QString::number(sheet->id)}));
        QVERIFY(QTest::qWaitFor([&] { return desktop.activeWindow() == sheet->id; }, 10000));
        QVERIFY(runCommand("xdotool", {"key", "--clearmodifiers", "ctrl+Home"}));
        QTest::qWait(500);

        const auto button = [&](int index) {
            const QRect g = desktop.client(quorix.pid(), "Quorix")->geometry;
            return QPoint(g.x() + g.width() * (2 * index + 1) / 6, g.bottom() - 29);
        };
        QStringList wrong;
        {
            std::optional<testsupport::DutyCycle> slow;
            if (runMs < 100)
                slow.emplace(sheet->pid, runMs);
            desktop.click(button(0)); // "Lecture"
            QVERIFY2(QTest::qWaitFor([&] { return quorix.journalValues().size() >= kValues; },
                                     kValues * intervalMs * 4 + 60000),
                     qPrintable(QString::number(quorix.journalValues().size())));
            desktop.click(button(1)); // "Stop"
            wrong = calc.mismatches([&] { return quorix.journalValues(); }, kSeriesLength);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(QString::number(wrong.size()) + " wrong: " + wrong.join("; ")));
        QVERIFY(quorix.journalValues().size() >= kValues);
    }
};

QTEST_MAIN(TestQuorixCalc)
#include "tst_main_calc.moc"
