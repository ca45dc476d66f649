// Typing into real spreadsheets on the X display, through the program's own
// cycle, pace and XTest: for Gnumeric and LibreOffice Calc (its X11 plug-in
// and GTK 3), the time from a reading's line feed to its value's last key, and
// for readings every 1 s down to 25 ms, whether every value lands exactly.
// Run under `xvfb-run -a -s "-screen 0 1280x1024x24"`; openbox is started when
// no window manager runs. Calc is read back through UNO, Gnumeric from its file.
#include "acquisition/keyoutput/xtestkeysink.h"
#include "tests/support/desktop/dutycycle.h"
#include "tests/support/desktop/librecalc.h"
#include "tests/support/desktop/typingrun.h"
#include "tests/support/desktop/x11desktop.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/processes.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace acquisition;
using testsupport::X11Desktop;

namespace {

constexpr int kValuesPerRun = 40;
const QStringList kValues {"11.25", "0.001", "-3.5", "1000000", "-00012.340", "22", "1111.11", "7.77"};

// A spreadsheet with the focus in A1, read back as "number 11.25" / "text x"
// down column A.
struct Sheet {
    virtual ~Sheet() = default;
    virtual QString name() const = 0;
    virtual qint64 pid() const = 0;
    virtual std::optional<QStringList> columnA(int rows) = 0;
};

class CalcSheet : public Sheet {
public:
    CalcSheet(X11Desktop &desktop, const QString &plugin) : m_plugin(plugin)
    {
        if (!m_calc.start(plugin, "C.UTF-8"))
            return;
        if (!QTest::qWaitFor([&] { return (m_window = m_calc.window(desktop)).has_value(); }, 60000))
            m_window.reset();
    }
    bool ready() const { return m_window.has_value(); }
    X11Desktop::WindowId id() const { return m_window->id; }
    QString name() const override { return "LibreOffice Calc (" + m_plugin + ")"; }
    qint64 pid() const override { return m_window->pid; }
    std::optional<QStringList> columnA(int rows) override
    {
        const std::optional<QStringList> cells = m_calc.cells(1, rows);
        if (!cells)
            return std::nullopt;
        QStringList column;
        for (const QString &line : *cells)
            column << line.section(u' ', 2);
        return column;
    }

private:
    QString m_plugin;
    testsupport::LibreCalc m_calc;
    std::optional<X11Desktop::Client> m_window;
};

// Gnumeric on a workbook of its own, saved with Ctrl+S and read from the file.
class GnumericSheet : public Sheet {
public:
    explicit GnumericSheet(X11Desktop &desktop)
    {
        m_book = m_dir.filePath("book.gnumeric");
        QFile seed(m_dir.filePath("seed.csv"));
        seed.open(QIODevice::WriteOnly);
        seed.write("0\n");
        seed.close();
        if (QProcess::execute("ssconvert", {seed.fileName(), m_book}) != 0)
            return;
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start("gnumeric", {"--no-splash", m_book});
        const bool shown = QTest::qWaitFor([&] {
            for (const X11Desktop::Client &c : desktop.clients()) {
                if (c.pid == m_process.processId() && c.title.contains("book"))
                    m_window = c;
            }
            return m_window.has_value();
        }, 60000);
        if (!shown)
            m_window.reset();
    }
    ~GnumericSheet() override { testsupport::endProcess(m_process, 3000); }
    bool ready() const { return m_window.has_value(); }
    X11Desktop::WindowId id() const { return m_window->id; }
    QString name() const override { return "Gnumeric"; }
    qint64 pid() const override { return m_process.processId(); }
    std::optional<QStringList> columnA(int rows) override
    {
        const QDateTime before = QFileInfo(m_book).lastModified();
        QProcess::execute("xdotool", {"key", "--clearmodifiers", "ctrl+s"});
        if (!QTest::qWaitFor([&] { return QFileInfo(m_book).lastModified() != before; }, 20000))
            return std::nullopt;
        QTest::qWait(500);
        QProcess unzip;
        unzip.start("zcat", {"-f", m_book});
        unzip.waitForFinished(10000);
        const QString xml = QString::fromUtf8(unzip.readAllStandardOutput());
        QStringList column(rows, QStringLiteral("empty"));
        // ValueType 40 is a number, 60 a string.
        static const QRegularExpression cell(
            R"re(<gnm:Cell Row="(\d+)" Col="0" ValueType="(\d+)"[^>]*>([^<]*)<)re");
        for (auto m = cell.globalMatch(xml); m.hasNext();) {
            const auto found = m.next();
            const int row = found.captured(1).toInt();
            if (row < rows)
                column[row] = (found.captured(2) == "40" ? "number " : "text ") + found.captured(3);
        }
        return column;
    }

private:
    QTemporaryDir m_dir;
    QString m_book;
    QProcess m_process;
    std::optional<X11Desktop::Client> m_window;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// kValuesPerRun readings every intervalMs typed down column A from A1; how
// many land exactly, and the line feed to last key times.
struct RunResult {
    int exact = 0;
    double medianMs = 0;
    double worstMs = 0;
};

RunResult run(Sheet &sheet, X11Desktop::WindowId window, int intervalMs, int runMs)
{
    testsupport::MuxSimProcess sim;
    if (!sim.start({"--model", "8", "--line", "long", "--values", kValues.join(u','), "--interval",
                    QString::number(intervalMs)})) {
        std::printf("    muxsim did not start\n");
        return {};
    }
    QProcess::execute("xdotool", {"windowactivate", "--sync", QString::number(window)});
    QProcess::execute("xdotool", {"key", "--clearmodifiers", "ctrl+Home"});
    QTest::qWait(300);

    XTestKeySink xtest;
    std::optional<testsupport::DutyCycle> slow;
    if (runMs < 100)
        slow.emplace(sheet.pid(), runMs);
    const testsupport::TypingRun typed =
        testsupport::runTyping(sim.linkPath(), xtest, kValuesPerRun, [](MemoryConfiguration &config) {
            config.setInstrumentCount(1, QString::number(kValuesPerRun));
            config.setStep(Step::PerValueHorizontal, "0");
            config.setStep(Step::PerValueVertical, "1");
        });
    slow.reset();
    QTest::qWait(1000);
    for (const QString &error : typed.errors)
        std::printf("    %s\n", qPrintable(error));

    RunResult result;
    std::vector<double> latencies;
    for (int i = 0; i < std::min(typed.takenNs.size(), typed.lastKeyNs.size()); ++i)
        latencies.push_back((typed.lastKeyNs[i] - typed.takenNs[i]) / 1e6);
    result.medianMs = median(latencies);
    result.worstMs = latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end());
    const std::optional<QStringList> column = sheet.columnA(kValuesPerRun);
    for (int i = 0; column && i < std::min<int>(column->size(), typed.values.size()); ++i) {
        const QString &cell = column->at(i);
        if (cell.startsWith("number ") && cell.mid(7).toDouble() == typed.values[i].toDouble())
            ++result.exact;
    }
    return result;
}

template <typename SheetType, typename... Args>
void measure(X11Desktop &desktop, int runMs, Args &&...args)
{
    for (const int interval : {1000, 200, 100, 50, 25}) {
        SheetType sheet(desktop, std::forward<Args>(args)...);
        if (!sheet.ready()) {
            std::printf("  %s could not be started\n", qPrintable(sheet.name()));
            return;
        }
        const RunResult r = run(sheet, sheet.id(), interval, runMs);
        std::printf("  %-28s %s, a reading every %4d ms: %2d/%d exact; line feed -> last key median %.1f ms, "
                    "worst %.1f ms\n",
                    qPrintable(sheet.name()), runMs < 100 ? "held to 30 %" : "idle       ", interval, r.exact,
                    kValuesPerRun, r.medianMs, r.worstMs);
        if (r.exact < kValuesPerRun)
            break; // faster readings will not do better
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    X11Desktop desktop;
    if (!desktop.start()) {
        std::printf("no X desktop: %s (run under xvfb-run)\n", qPrintable(desktop.errorString()));
        return 1;
    }
    std::printf("%d values per run, down column A, typed with the automatic pace\n", kValuesPerRun);
    for (const int runMs : {100, 30}) {
        measure<GnumericSheet>(desktop, runMs);
        measure<CalcSheet>(desktop, runMs, QStringLiteral("gen"));
        measure<CalcSheet>(desktop, runMs, QStringLiteral("gtk3"));
    }
    return 0;
}
