#include "common/systeminfo.h"

#include <QFile>
#include <QHash>

#include <sys/sysinfo.h>
#include <sys/utsname.h>

namespace common {

namespace {

// Shell-style value of an os-release line: quotes removed, backslash escapes
// resolved inside double quotes (and bare values).
QString unquote(const QString &raw)
{
    const QString value = raw.trimmed();
    if (value.size() >= 2 && value.front() == u'\'' && value.back() == u'\'')
        return value.mid(1, value.size() - 2);
    const bool doubleQuoted = value.size() >= 2 && value.front() == u'"' && value.back() == u'"';
    const QString body = doubleQuoted ? value.mid(1, value.size() - 2) : value;
    QString out;
    out.reserve(body.size());
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body.at(i) == u'\\' && i + 1 < body.size())
            ++i;
        out += body.at(i);
    }
    return out;
}

QHash<QString, QString> readOsRelease(const QString &path)
{
    QHash<QString, QString> fields;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fields;
    // The file is small; refuse to read a runaway one whole.
    const QString text = QString::fromUtf8(file.read(64 * 1024));
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals <= 0)
            continue;
        fields.insert(trimmed.left(equals).trimmed(), unquote(trimmed.mid(equals + 1)));
    }
    return fields;
}

// Empty texts when the system does not answer.
struct utsname systemNames()
{
    struct utsname names {};
    if (uname(&names) != 0)
        names = {};
    return names;
}

QString kernelName()
{
    return QString::fromLocal8Bit(systemNames().sysname);
}

} // namespace

QStringList defaultOsReleasePaths()
{
    return {QStringLiteral("/etc/os-release"), QStringLiteral("/usr/lib/os-release")};
}

QString distributionName(const QStringList &osReleasePaths)
{
    for (const QString &path : osReleasePaths) {
        const QHash<QString, QString> fields = readOsRelease(path);
        for (const char *key : {"PRETTY_NAME", "NAME"}) {
            const QString name = fields.value(QLatin1String(key)).simplified();
            if (!name.isEmpty())
                return name;
        }
    }
    return {};
}

QString kernelRelease()
{
    return QString::fromLocal8Bit(systemNames().release);
}

QString systemVersionText(const QStringList &osReleasePaths)
{
    QString name = distributionName(osReleasePaths);
    if (name.isEmpty())
        name = kernelName();
    return QStringLiteral("%1 (Build %2)").arg(name, kernelRelease());
}

quint64 physicalMemoryBytes()
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return 0;
    // Both factors widened first: the product passes 4 GiB on most machines.
    return quint64(info.totalram) * quint64(info.mem_unit ? info.mem_unit : 1);
}

QString memoryText(quint64 bytes, const QLocale &locale)
{
    const quint64 kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(qulonglong(kilobytes)) + QStringLiteral(" KB");
}

QString windowsSystemName(WindowsPlatform platform, quint32 major, quint32 minor,
                          NamingProgram program)
{
    switch (platform) {
    case WindowsPlatform::Windows9x:
        if (minor == 0)
            return QStringLiteral("Windows 95");
        if (minor >= 10)
            return QStringLiteral("Windows 98");
        return {};
    case WindowsPlatform::WindowsNT:
        if (major == 4)
            return QStringLiteral("Windows NT");
        if (major == 5 && (minor == 0 || program == NamingProgram::ConfigTool))
            return QStringLiteral("Windows 2000");
        if (major == 5)
            return QStringLiteral("Windows XP");
        if (major >= 6 && program == NamingProgram::ConfigTool)
            return QStringLiteral("Windows 2000");
        return {};
    case WindowsPlatform::Other:
        break;
    }
    return {};
}

QString windowsBuildText(quint32 major, quint32 minor, quint32 buildNumber)
{
    return QStringLiteral("(Build %1.%2.%3)").arg(major).arg(minor).arg(buildNumber & 0xFFFF);
}

} // namespace common
