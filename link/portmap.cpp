#include "link/portmap.h"

#include "link/serialports.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace muxlink {

PortMap::PortMap(QStringList devices) : m_devices(std::move(devices))
{
    while (m_devices.size() > kPortCount)
        m_devices.removeLast();
}

PortMap PortMap::fromList(const QString &commaSeparated)
{
    QStringList items = commaSeparated.split(u',');
    for (QString &item : items)
        item = item.trimmed();
    return PortMap(items);
}

PortMap PortMap::fromEnvironment()
{
    if (qEnvironmentVariableIsSet("MUX_PORTS"))
        return fromList(qEnvironmentVariable("MUX_PORTS"));
    return discover();
}

// ttyS2 before ttyS10 whatever the user's locale: runs of digits compare as
// numbers, everything else as plain text.
static bool numericLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i, startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Device numbers carry no leading zeros: the longer run is the larger.
            if (i - startA != j - startB)
                return i - startA < j - startB;
            if (const int order = QStringView(a).sliced(startA, i - startA).compare(
                    QStringView(b).sliced(startB, j - startB));
                order != 0)
                return order < 0;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

static QStringList numericOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), numericLess);
    return names;
}

PortMap PortMap::discover(const QString &devRoot)
{
    QStringList found;
    auto add = [&found](const QString &path) {
        if (!found.contains(path))
            found << path;
    };
    QDir byId(devRoot + QStringLiteral("/serial/by-id"));
    for (const QString &name : numericOrder(byId.entryList(QDir::System | QDir::Files)))
        add(QFileInfo(byId.filePath(name)).canonicalFilePath());
    QDir dev(devRoot);
    for (const char *pattern : {"ttyUSB*", "ttyACM*", "ttyS*"}) {
        const QStringList names = dev.entryList({QLatin1String(pattern)}, QDir::System | QDir::Files);
        for (const QString &name : numericOrder(names))
            add(dev.filePath(name));
    }
    found.removeAll(QString());
    return PortMap(found);
}

QString PortMap::device(int port) const
{
    if (port < 0 || port >= m_devices.size())
        return {};
    return m_devices.at(port);
}

} // namespace muxlink
