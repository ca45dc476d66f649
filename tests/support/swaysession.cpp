#include "tests/support/swaysession.h"
#include "tests/support/processes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <csignal>
#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr uid_t kNobody = 65534;

QString socketIn(const QString &runtime)
{
    const QStringList sockets = QDir(runtime).entryList({QStringLiteral("wayland-*")}, QDir::System);
    for (const QString &name : sockets) {
        if (!name.endsWith(QStringLiteral(".lock")))
            return QDir(runtime).filePath(name);
    }
    return {};
}

} // namespace

SwaySession::SwaySession()
{
    // To a file: a pipe nobody reads would stop sway once full.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_dir.filePath(QStringLiteral("sway.log")));
}

SwaySession::~SwaySession()
{
    stop();
}

bool SwaySession::installed()
{
    return !QStandardPaths::findExecutable(QStringLiteral("sway")).isEmpty();
}

bool SwaySession::start(const QStringList &configLines)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const bool root = geteuid() == 0;
    // nobody must reach its runtime folder and the configuration.
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                            | QFile::ExeGroup | QFile::ExeOther);
    m_runtime = m_dir.filePath(QStringLiteral("sway"));
    m_clientRuntime = m_dir.filePath(QStringLiteral("client"));
    QDir().mkpath(m_runtime);
    QDir().mkpath(m_clientRuntime);
    QFile::setPermissions(m_clientRuntime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (root && ::chown(QFile::encodeName(m_runtime).constData(), kNobody, kNobody) != 0) {
        m_error = QStringLiteral("cannot hand the runtime folder to nobody");
        return false;
    }
    QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString configPath = m_dir.filePath(QStringLiteral("config"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("cannot write the configuration");
        return false;
    }
    QStringList lines {QStringLiteral("output HEADLESS-1 resolution 1280x1024")};
    if (!configLines.join(u'\n').contains(QStringLiteral("xwayland")))
        lines << QStringLiteral("xwayland disable");
    config.write((lines + configLines).join(u'\n').toUtf8() + '\n');
    config.close();
    QFile::setPermissions(configPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
    env.insert(QStringLiteral("HOME"), m_runtime);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
    env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    m_process.setProcessEnvironment(env);
    m_process.setChildProcessModifier([root] {
        if (root) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(127);
        }
        // Set after the change of user, which would clear it.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
    m_process.start(QStringLiteral("sway"), {QStringLiteral("-c"), configPath});
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(15000);
    while ((m_socket = socketIn(m_runtime)).isEmpty()) {
        if (m_process.state() != QProcess::Running || deadline.hasExpired()) {
            m_error = QStringLiteral("sway did not open its socket:\n") + QString::fromLocal8Bit(log());
            stop();
            return false;
        }
        m_process.waitForFinished(50);
    }
    // The IPC socket comes a moment after the Wayland one.
    while (QDir(m_runtime).entryList({QStringLiteral("sway-ipc.*")}, QDir::System).isEmpty()
           && !deadline.hasExpired())
        m_process.waitForFinished(20);
    return true;
}

QByteArray SwaySession::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("sway.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcessEnvironment SwaySession::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_socket);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_clientRuntime);
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    return env;
}

void SwaySession::useInThisProcess() const
{
    qputenv("WAYLAND_DISPLAY", QFile::encodeName(m_socket));
}

bool SwaySession::message(const QStringList &args)
{
    const QStringList ipc = QDir(m_runtime).entryList({QStringLiteral("sway-ipc.*")}, QDir::System);
    if (ipc.isEmpty())
        return false;
    QProcess swaymsg;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SWAYSOCK"), QDir(m_runtime).filePath(ipc.first()));
    swaymsg.setProcessEnvironment(env);
    swaymsg.start(QStringLiteral("swaymsg"), args);
    return swaymsg.waitForFinished(5000) && swaymsg.exitStatus() == QProcess::NormalExit
        && swaymsg.exitCode() == 0;
}

void SwaySession::stop()
{
    endProcess(m_process, 5000);
}

} // namespace testsupport
