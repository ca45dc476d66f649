#include "acquisition/journalfile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace acquisition {

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// ISO 8601 with the offset from UTC, so the hour repeated when clocks go
// back reads unambiguously.
QString isoTime(const QDateTime &time)
{
    const int offset = time.offsetFromUtc();
    const int magnitude = offset < 0 ? -offset : offset;
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz"))
        + QStringLiteral("%1%2:%3")
              .arg(offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
              .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
              .arg(magnitude % 3600 / 60, 2, 10, QLatin1Char('0'));
}

} // namespace

JournalFile::JournalFile(QString folder, Context context)
    : m_folder(std::move(folder)), m_context(std::move(context))
{
}

JournalFile::~JournalFile()
{
    close();
}

QByteArray JournalFile::headerLine()
{
    return "time,configuration,batch,series,instrument,line,value\r\n";
}

QByteArray JournalFile::csvLine(const QDateTime &time, const QString &configuration,
                                const JournalReading &reading)
{
    const QStringList fields {isoTime(time),
                              csvField(configuration),
                              reading.batch > 0 ? QString::number(reading.batch) : QString(),
                              QString::number(reading.series),
                              QString::number(reading.instrument),
                              csvField(reading.line),
                              csvField(reading.value)};
    return fields.join(u',').toUtf8() + "\r\n";
}

QString JournalFile::fileName(const QDate &day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv");
}

void JournalFile::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        close();
}

void JournalFile::record(const JournalReading &reading)
{
    if (!m_enabled)
        return;
    const QDateTime now = m_context.now();
    const QString configuration = m_context.configurationPath ? m_context.configurationPath() : QString();
    if (!openFor(now.date()) || !append(csvLine(now, configuration, reading)))
        return;
    m_failing = false;
}

void JournalFile::closeSeries()
{
    close();
}

bool JournalFile::openFor(const QDate &day)
{
    if (m_fd >= 0 && m_openDay == day)
        return true;
    close();
    QDir().mkpath(m_folder);
    m_openPath = QDir(m_folder).filePath(fileName(day));
    const QByteArray name = QFile::encodeName(m_openPath);
    // Without O_NONBLOCK a FIFO there would hold the window until a reader comes.
    m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat status {};
    if (m_fd < 0) {
        const int error = errno;
        if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode))
            failNotPlainFile();
        else
            fail(error);
        return false;
    }
    if (::fstat(m_fd, &status) != 0) {
        fail(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        failNotPlainFile();
        return false;
    }
    m_openDay = day;
    if (status.st_size == 0)
        return append(headerLine());
    return true;
}

// One write per line. A disk that fills up part-way through takes back what
// went in, so the file never ends in half a line.
bool JournalFile::append(const QByteArray &line)
{
    struct stat before {};
    const bool sized = ::fstat(m_fd, &before) == 0;
    ssize_t written;
    do {
        written = ::write(m_fd, line.constData(), size_t(line.size()));
    } while (written < 0 && errno == EINTR);
    if (written == line.size())
        return true;
    const int error = written < 0 ? errno : ENOSPC;
    if (written > 0 && sized) {
        [[maybe_unused]] const int undone = ::ftruncate(m_fd, before.st_size);
    }
    fail(error);
    return false;
}

void JournalFile::fail(int error)
{
    report(QString::fromLocal8Bit(std::strerror(error)));
}

void JournalFile::failNotPlainFile()
{
    report(m_context.notPlainFile ? m_context.notPlainFile() : QString::fromLocal8Bit(std::strerror(EINVAL)));
}

void JournalFile::report(const QString &reason)
{
    const QString path = m_openPath.isEmpty() ? m_folder : m_openPath;
    close();
    if (m_failing)
        return;
    m_failing = true;
    if (m_context.reportFailure)
        m_context.reportFailure(QDir::toNativeSeparators(path), reason);
}

void JournalFile::close()
{
    if (m_fd < 0)
        return;
    // No sync: the typing must not wait for the disk. Each line is whole in
    // the file from its write on; only a power cut may take the last ones.
    ::close(m_fd);
    m_fd = -1;
    m_openDay = QDate();
}

} // namespace acquisition
