#include "acquisition/targetactivity.h"

#include "link/clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace acquisition {

namespace {

// A LibreOffice started or ended meanwhile is seen within this time.
constexpr qint64 kLookAgainMs = 1000;

QByteArray readSmall(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(512) : QByteArray();
}

// The state letter of a task's stat line, after the parenthesised name.
char taskState(qint64 pid)
{
    const QByteArray stat = readSmall(QStringLiteral("/proc/%1/task/%1/stat").arg(pid));
    const int end = stat.lastIndexOf(')');
    return end >= 0 && end + 2 < stat.size() ? stat.at(end + 2) : 0;
}

} // namespace

void TargetActivity::findProcesses()
{
    m_pids.clear();
    const QDir proc(QStringLiteral("/proc"));
    const uint user = ::getuid();
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number || readSmall(proc.filePath(entry + QStringLiteral("/comm"))).trimmed() != "soffice.bin")
            continue;
        if (QFileInfo(proc.filePath(entry)).ownerId() == user)
            m_pids << pid;
    }
    m_foundAt = m_clock.nowMs();
}

bool TargetActivity::busy()
{
    if (m_foundAt < 0 || m_clock.nowMs() - m_foundAt >= kLookAgainMs)
        findProcesses();
    for (qint64 pid : m_pids) {
        // Only asleep in its event loop's poll has it taken every key: asleep
        // on a lock, another thread holds it back from them.
        const char state = taskState(pid);
        if (state != 'S')
            return state != 0 && state != 'Z';
        const QByteArray wchan = readSmall(QStringLiteral("/proc/%1/task/%1/wchan").arg(pid));
        if (!wchan.isEmpty() && wchan != "0" && !wchan.contains("poll") && !wchan.contains("select"))
            return true;
    }
    return false;
}

} // namespace acquisition
