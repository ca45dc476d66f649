#include "link/portmap.h"

#include "link/serialports.h"

#include <QCollator>
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

static QStringList numericOrder(QStringList names)
{
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
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
