#include "tests/support/desktop/librecalc.h"

#include "tests/support/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QUrl>

#include <atomic>

namespace testsupport {

namespace {

const QString kCellsScript = QStringLiteral(SOURCE_DIR "/tests/support/desktop/calccells.py");

// No tip of the day over the sheet at start-up.
constexpr char kProfileSettings[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

} // namespace

LibreCalc::~LibreCalc()
{
    // soffice.bin is a child of the launcher: ended through the pipe's owner.
    script({"quit"});
    endProcess(m_process, 10000);
}

bool LibreCalc::start(const QString &plugin, const QString &locale, const QProcessEnvironment &base)
{
    QDir(m_profile.path()).mkpath("user");
    QFile settings(m_profile.filePath("user/registrymodifications.xcu"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(kProfileSettings) < 0)
        return false;
    settings.close();
    static std::atomic<int> started {0};
    m_pipe = QStringLiteral("quorixcalc%1_%2").arg(QCoreApplication::applicationPid()).arg(++started);
    QProcessEnvironment env = base;
    env.insert("SAL_USE_VCLPLUGIN", plugin);
    env.insert("LC_ALL", locale);
    env.insert("LANG", locale);
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start("soffice", {"--calc", "--norestore", "--nologo", "--nolockcheck",
                                "-env:UserInstallation=" + QUrl::fromLocalFile(m_profile.path()).toString(),
                                "--accept=pipe,name=" + m_pipe + ";urp;"});
    return m_process.waitForStarted(10000)
        && QTest::qWaitFor([this] { return script({"ready"}).has_value(); }, 180000);
}

std::optional<X11Desktop::Client> LibreCalc::window(const X11Desktop &desktop) const
{
    for (const X11Desktop::Client &c : desktop.clients()) {
        if (c.title.endsWith(QLatin1String("LibreOffice Calc")))
            return c;
    }
    return std::nullopt;
}

std::optional<QStringList> LibreCalc::cells(int columns, int rows) const
{
    return script({QString::number(columns), QString::number(rows)});
}

qint64 LibreCalc::officePid() const
{
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs)) {
        QFile cmdline(proc.filePath(entry + "/cmdline"));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray args = cmdline.readAll();
        if (args.startsWith("/usr/lib/libreoffice/program/soffice.bin") && args.contains(m_pipe.toUtf8()))
            return entry.toLongLong();
    }
    return 0;
}

QStringList LibreCalc::mismatches(const std::function<QStringList()> &values, int seriesLength) const
{
    // Typed once the last value's cell is filled and nothing changes any
    // more; keys gone astray may leave it empty: then once nothing has
    // changed for a while. Quorix's paced keys wait while a read holds Calc.
    QStringList before;
    int unchanged = 0;
    const bool settled = QTest::qWaitFor([&] {
        QTest::qWait(3000);
        const int count = values().size();
        const std::optional<QStringList> now = cells((count - 1) / seriesLength + 1, seriesLength);
        if (!now)
            return false;
        unchanged = *now == before ? unchanged + 1 : 0;
        before = *now;
        return unchanged >= 4 || (unchanged >= 1 && !now->constLast().contains(QLatin1String(" empty")));
    }, 400000);
    const QStringList expected = values();
    const int columns = (expected.size() + seriesLength - 1) / seriesLength + 1;
    const std::optional<QStringList> all = cells(columns, seriesLength + 1);
    if (!all)
        return {QStringLiteral("the sheet could not be read")};
    QStringList wrong;
    if (!settled)
        wrong << QStringLiteral("the sheet was still changing");
    for (const QString &line : *all) {
        const QStringList f = line.split(u' ');
        const int column = f[0].toInt(), row = f[1].toInt();
        const int index = row < seriesLength ? column * seriesLength + row : -1;
        const QString kind = f[2], text = line.section(u' ', 3);
        if (index >= 0 && index < expected.size() && expected[index].trimmed().isEmpty()) {
            // A reading without a value types nothing and still moves on.
            if (kind != QLatin1String("empty"))
                wrong << line + QStringLiteral(" expected empty");
        } else if (index >= 0 && index < expected.size()) {
            if (kind != QLatin1String("number") || text.toDouble() != expected[index].toDouble())
                wrong << QStringLiteral("%1 expected %2").arg(line, expected[index]);
        } else if (kind != QLatin1String("empty")) {
            wrong << line + QStringLiteral(" expected empty");
        }
    }
    return wrong;
}

std::optional<QStringList> LibreCalc::script(const QStringList &args) const
{
    QProcess python;
    // The system's Python: python3-uno is installed for it alone.
    python.start("/usr/bin/python3", QStringList {kCellsScript, m_pipe} + args);
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace testsupport
