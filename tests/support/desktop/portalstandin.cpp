#include "tests/support/desktop/portalstandin.h"

#include <QDeadlineTimer>
#include <QFile>

#include <csignal>
#include <sys/prctl.h>

namespace testsupport {

namespace {

void dieWithCaller(QProcess &process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

} // namespace

bool PrivateBus::start()
{
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:dir="
               + m_dir.path().toUtf8()
               + "</listen><auth>EXTERNAL</auth>"
                 "<policy context=\"default\"><allow send_destination=\"*\"/>"
                 "<allow receive_sender=\"*\"/><allow own=\"*\"/>"
                 "</policy></busconfig>\n");
    file.close();
    dieWithCaller(m_daemon);
    m_daemon.setStandardErrorFile(QProcess::nullDevice());
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForReadyRead(5000))
        return false;
    address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    return !address.isEmpty();
}

void PrivateBus::stop()
{
    m_daemon.kill();
    m_daemon.waitForFinished(2000);
}

PrivateBus::~PrivateBus()
{
    m_daemon.terminate();
    m_daemon.waitForFinished(2000);
}

bool PortalStandIn::start(const QString &bus, const QStringList &options)
{
    dieWithCaller(m_process);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(FAKEPORTAL_PATH), QStringList {QStringLiteral("--bus"), bus} + options);
    return waitFor(QStringLiteral("ready"));
}

PortalStandIn::~PortalStandIn()
{
    m_process.terminate();
    m_process.waitForFinished(2000);
}

QStringList PortalStandIn::calls(const QString &last)
{
    if (!last.isEmpty())
        waitFor(last);
    read();
    return m_lines.mid(1);
}

bool PortalStandIn::waitFor(const QString &line)
{
    const QDeadlineTimer deadline(5000);
    read();
    while (!m_lines.contains(line)) {
        if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        read();
    }
    return true;
}

void PortalStandIn::read()
{
    while (m_process.canReadLine())
        m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
}

} // namespace testsupport
