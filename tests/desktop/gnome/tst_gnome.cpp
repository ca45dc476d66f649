// Quorix on a real GNOME desktop, as a user runs it there: its window on
// XWayland, its keys through the desktop portal, typing the simulator's
// readings into a native Wayland Gnumeric. The user (clicks on "Lecture",
// the answer to the portal's question, saving the sheet) is played through
// mutter's remote desktop API. Run inside gnomesession.sh.
#include "acquisition/configfile.h"
#include "tests/support/desktop/mutteruser.h"
#include "tests/support/desktop/x11desktop.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/quorixfolder.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/processes.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <X11/keysym.h>

using namespace acquisition;
using testsupport::MutterUser;
using testsupport::X11Desktop;

namespace {

// The sheet: five values a row, three rows a batch; each batch starts six
// columns right of the last one and back up two rows, so the cursor moves
// every way.
constexpr int kValuesPerSeries = 5;
constexpr int kSeriesPerBatch = 3;
constexpr int kBatches = 7;
constexpr int kBatchColumns = 6;

// The virtual monitor gnomesession.sh gives the shell.
constexpr QSize kScreen(1280, 800);
constexpr int kTopBar = 32;
// The "x" of the top bar's remote access indicator.
constexpr QPoint kIndicatorStop(1204, 15);

// Signed values, decimals, whole numbers and the simulator's own long form.
const QStringList kReadings {
    "+12.345", "-0.5", "+00000000.001", "99.999", "-7", "+3.250", "0.07", "-123.456",
    "+00000001.234", "777", "-99.999", "+0.001", "42.42", "-00000012.500", "+8",
    "5.5", "-0.001", "+00000123.456", "1234.5", "-77.7", "+00000000.010", "65.4321",
};

QString csvField(QString field)
{
    if (field.startsWith('"'))
        field = field.mid(1, field.size() - 2).replace("\"\"", "\"");
    return field;
}

// Cells of the sheet saved as CSV, by (row, column) from 0.
using Cells = QMap<QPair<int, int>, QString>;

Cells readCsv(const QString &path)
{
    Cells cells;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cells;
    int row = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QStringList fields = QString::fromUtf8(line).trimmed().split(',');
        for (int column = 0; column < fields.size(); ++column) {
            if (!fields[column].isEmpty())
                cells[{row, column}] = csvField(fields[column]);
        }
        ++row;
    }
    return cells;
}

// A number as the sheet shows it: Gnumeric drops the plus sign, leading and
// trailing zeros when it turns the typed text into a value.
QString asNumberText(const QString &typed)
{
    bool ok = false;
    const double value = typed.toDouble(&ok);
    return ok ? QString::number(value, 'g', 15) : typed;
}

// Quorix in a folder of its own, French, reading instrument 1 in batches.
class Quorix {
public:
    bool start(const QString &port)
    {
        const QString program = m_folder.filePath("Ondo_prj");
        if (!QFile::copy(QStringLiteral(ONDO_PRJ_PATH), program)
            || !QFile::copy(QStringLiteral(SOURCE_DIR "/lang/quorix/Francais.lng"), m_folder.filePath("Francais.lng")))
            return false;
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        values.setInstrumentCount(1, QString::number(kValuesPerSeries));
        values.setMeasurementMode(kBatchMeasurement);
        values.setBatchSize(kSeriesPerBatch);
        values.setStep(Step::PerValueHorizontal, "1");
        values.setStep(Step::PerValueVertical, "0");
        values.setStep(Step::NextSeriesHorizontal, "0");
        values.setStep(Step::NextSeriesVertical, "1");
        values.setStep(Step::NextBatchHorizontal, QString::number(kBatchColumns));
        values.setStep(Step::NextBatchVertical, QString::number(1 - kSeriesPerBatch));
        if (!testsupport::writeQuorixStart(m_folder.path(), "atelier.mux", values))
            return false;

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MUX_PORTS", port);
        env.insert("XDG_DATA_HOME", m_folder.filePath("data"));
        env.remove("QT_QPA_PLATFORM");
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(m_folder.path());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(program);
        return m_process.waitForStarted(5000);
    }
    ~Quorix() { testsupport::endProcess(m_process, 3000); }
    qint64 pid() const { return m_process.processId(); }
    bool running() const { return m_process.state() == QProcess::Running; }

    // The values of the journal, in the order they were read.
    QStringList journalValues() const
    {
        QStringList values;
        QStringList files;
        QDirIterator it(m_folder.filePath("data"), {"*.csv"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort();
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> lines = file.readAll().split('\n');
            for (int i = 1; i < lines.size(); ++i) {
                const QString line = QString::fromUtf8(lines[i]).trimmed();
                if (!line.isEmpty())
                    values << csvField(line.section(',', -1));
            }
        }
        return values;
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};

// Gnumeric on Wayland with a sheet of its own; A1 holds a mark so that the
// first typed value lands in A2.
class Gnumeric {
public:
    bool start()
    {
        const QString csv = m_folder.filePath("start.csv");
        QFile file(csv);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("Quorix\n");
        file.close();
        if (QProcess::execute("ssconvert", {"--import-type=Gnumeric_stf:stf_csvtab", csv, sheet()}) != 0)
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("GDK_BACKEND", "wayland");
        env.remove("DISPLAY");
        m_process.setProcessEnvironment(env);
        m_process.setStandardOutputFile(m_folder.filePath("gnumeric.log"));
        m_process.setStandardErrorFile(m_folder.filePath("gnumeric.log"), QIODevice::Append);
        m_process.start("gnumeric", {"--no-splash", sheet()});
        return m_process.waitForStarted(5000);
    }
    ~Gnumeric() { testsupport::endProcess(m_process, 3000); }
    QString sheet() const { return m_folder.filePath("sheet.gnumeric"); }
    QDateTime saved() const { return QFileInfo(sheet()).lastModified(); }

    Cells cells() const
    {
        const QString csv = m_folder.filePath("sheet.csv");
        QFile::remove(csv);
        if (QProcess::execute("ssconvert", {sheet(), csv}) != 0)
            return {};
        return readCsv(csv);
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};

// What a test runs: the simulator, Quorix reading it, the sheet it types into.
struct Run {
    testsupport::MuxSimProcess sim;
    Quorix quorix;
    Gnumeric gnumeric;
};

} // namespace

class TestGnome : public QObject {
    Q_OBJECT
    X11Desktop desktop;
    MutterUser user;

    std::optional<X11Desktop::Client> quorixMain(const Quorix &quorix) const
    {
        return desktop.client(quorix.pid(), "Quorix", [](const X11Desktop::Client &c) {
            return c.geometry.width() == 171;
        });
    }
    // Toolbar buttons along the bottom of the main window: "Lecture", "Stop", "Reprise".
    QPoint button(const X11Desktop::Client &main, int index) const
    {
        const QRect g = main.geometry;
        return QPoint(g.x() + g.width() * (2 * index + 1) / 6, g.bottom() - 29);
    }

    // The portal's dialog, centred below the top bar: "Cancel" and "Share" in its
    // title bar, the switch that allows remote interaction below them.
    bool answerPortal(const QString &title, bool share)
    {
        QSize size;
        for (const auto &window : user.windows()) {
            if (window.title == title)
                size = window.size;
        }
        const QPoint topLeft((kScreen.width() - size.width()) / 2,
                             kTopBar + (kScreen.height() - kTopBar - size.height()) / 2);
        const auto gone = [&] {
            const auto windows = user.windows();
            return std::none_of(windows.cbegin(), windows.cend(), [&](const auto &w) { return w.title == title; });
        };
        if (share && !user.click(topLeft + QPoint(size.width() - 70, 75)))
            return false;
        // "Share" comes alive a moment after the switch turns on.
        const QPoint button = share ? topLeft + QPoint(size.width() - 47, 23) : topLeft + QPoint(47, 23);
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (!user.click(button))
                return false;
            if (QTest::qWaitFor(gone, 2000))
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTest::qWaitFor([] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered("org.gnome.Mutter.RemoteDesktop").value();
        }, 60000));
        QVERIFY2(user.start(), qPrintable(user.errorString()));
        QVERIFY2(desktop.start(), qPrintable(desktop.errorString()));
    }

    // What the screen showed when a test failed, for whoever reads the failure.
    void cleanup()
    {
        if (QTest::currentTestFailed())
            user.screenshot(QStringLiteral(SCREENSHOT_DIR "/") + QTest::currentTestFunction() + ".png");
    }

    // Quorix and Gnumeric up, the sheet's cursor in A2, "Lecture" clicked: the
    // title of the portal's dialog.
    QString startReading(Run &run)
    {
        testsupport::MuxSimProcess &sim = run.sim;
        Quorix &quorix = run.quorix;
        Gnumeric &gnumeric = run.gnumeric;
        if (!sim.start({"--model", "8", "--per-command", QString::number(kValuesPerSeries), "--values",
                        kReadings.join(",")}))
            return {};
        std::optional<X11Desktop::Client> main;
        if (!quorix.start(sim.linkPath())
            || !QTest::qWaitFor([&] { return (main = quorixMain(quorix)).has_value(); }, 30000))
            return {};
        // Started last, as a user would open the sheet to type into.
        if (!gnumeric.start())
            return {};
        // The shell starts in its overview, where no window has the focus.
        if (!QTest::qWaitFor([&] {
                const auto windows = user.windows();
                return std::any_of(windows.cbegin(), windows.cend(), [](const auto &w) { return w.title.contains("sheet"); });
            }, 60000))
            return {};
        if (!user.key(XK_Escape)
            || !QTest::qWaitFor([&] { return user.focusedWindow().contains("sheet.gnumeric"); }, 20000)
            || !user.key(XK_Down) || !user.click(button(*main, 0)))
            return {};
        QString dialog;
        QTest::qWaitFor([&] {
            dialog = user.focusedWindow();
            return !dialog.isEmpty() && !dialog.contains("sheet.gnumeric");
        }, 30000);
        return dialog;
    }

    // The green ring of an enabled "Lecture"; grey when disabled.
    bool lectureEnabled(const Quorix &quorix)
    {
        const QString path = QStringLiteral(SCREENSHOT_DIR "/screen.png");
        const auto main = quorixMain(quorix);
        if (!main || !user.screenshot(path))
            return false;
        const QRgb ring = QImage(path).pixel(button(*main, 0) - QPoint(15, 0));
        return qGreen(ring) > qRed(ring) + 40;
    }

    // A window of Quorix's other than its main window: a message.
    bool quorixMessageShown(const Quorix &quorix) const
    {
        const auto clients = desktop.clients();
        return std::any_of(clients.cbegin(), clients.cend(), [&](const X11Desktop::Client &c) {
            return c.pid == quorix.pid() && c.geometry.width() != 171;
        });
    }

    void typesEveryValueExactly()
    {
        Run run;
        const QString dialog = startReading(run);
        QVERIFY(!dialog.isEmpty());
        Quorix &quorix = run.quorix;
        QVERIFY(answerPortal(dialog, true));
        QVERIFY(QTest::qWaitFor([&] { return !quorix.journalValues().isEmpty(); }, 30000));
        const int wanted = kBatches * kSeriesPerBatch * kValuesPerSeries;
        QVERIFY2(QTest::qWaitFor([&] { return quorix.journalValues().size() >= wanted; }, 240000),
                 qPrintable(QString("%1 values read").arg(quorix.journalValues().size())));
        QVERIFY(user.click(button(*quorixMain(quorix), 1)));
        // "Lecture" comes back once the last value's keys are out.
        QVERIFY(QTest::qWaitFor([&] { return lectureEnabled(quorix); }, 20000));
        QVERIFY(QTest::qWaitFor([&] { return user.focusedWindow().contains("sheet.gnumeric"); }, 10000));
        // The last value may still be in its cell's editor, when "Stop" came before its arrow.
        QVERIFY(user.key(XK_Return));
        const QDateTime before = run.gnumeric.saved();
        QVERIFY(user.chord(XK_Control_L, XK_s));
        QVERIFY(QTest::qWaitFor([&] { return run.gnumeric.saved() != before; }, 20000));

        const QStringList typed = quorix.journalValues();
        const Cells cells = run.gnumeric.cells();
        Cells expected {{{0, 0}, "Quorix"}};
        for (int i = 0; i < typed.size(); ++i) {
            const int batch = i / (kSeriesPerBatch * kValuesPerSeries);
            const int series = i / kValuesPerSeries % kSeriesPerBatch;
            expected[{1 + series, batch * kBatchColumns + i % kValuesPerSeries}] = asNumberText(typed[i]);
        }
        int exact = 0;
        QStringList wrong;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QString got = cells.value(it.key());
            if (asNumberText(got) == it.value())
                ++exact;
            else
                wrong << QString("(%1,%2) %3 -> %4").arg(it.key().first + 1).arg(it.key().second + 1).arg(it.value(), got);
        }
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            if (!expected.contains(it.key()))
                wrong << QString("(%1,%2) unexpected %3").arg(it.key().first + 1).arg(it.key().second + 1).arg(it.value());
        }
        qInfo("%d of %d values exact", exact - 1, int(typed.size()));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
        QVERIFY(typed.size() >= 100);
    }

    void refusalTypesNothing()
    {
        Run run;
        const QString dialog = startReading(run);
        QVERIFY(!dialog.isEmpty());
        Quorix &quorix = run.quorix;
        QVERIFY(answerPortal(dialog, false));
        QVERIFY(QTest::qWaitFor([&] { return quorixMessageShown(quorix); }, 20000));
        QVERIFY(quorix.journalValues().isEmpty());
        QVERIFY(quorix.running());
    }

    // The desktop's own sharing indicator ends every remote session, the
    // test's own included: Quorix stops and says so.
    void desktopEndsTheSessionMidRun()
    {
        Run run;
        const QString dialog = startReading(run);
        QVERIFY(!dialog.isEmpty());
        Quorix &quorix = run.quorix;
        QVERIFY(answerPortal(dialog, true));
        QVERIFY(QTest::qWaitFor([&] { return quorix.journalValues().size() >= 10; }, 30000));
        // The click's release may find the test's own session already gone.
        user.click(kIndicatorStop);
        QVERIFY(QTest::qWaitFor([&] { return quorixMessageShown(quorix); }, 20000));
        const int read = quorix.journalValues().size();
        QTest::qWait(2000);
        QCOMPARE(quorix.journalValues().size(), read);
        QVERIFY(quorix.running());
        QVERIFY2(user.start(), qPrintable(user.errorString()));
    }
};

QTEST_GUILESS_MAIN(TestGnome)
#include "tst_gnome.moc"
