#include "tests/support/muxsim_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <atomic>
#include <csignal>
#include <sys/prctl.h>

namespace testsupport {

namespace {

// The test executables get the simulator's path as a compile definition; this
// library does not, so it finds the simulator beside them in the build tree.
QString programPath()
{
#ifdef MUXSIM_PATH
    return QStringLiteral(MUXSIM_PATH);
#else
    const QString fromBuild = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/muxsim");
    return qEnvironmentVariable("MUXSIM_PATH", QDir::cleanPath(fromBuild));
#endif
}

int nextNumber()
{
    static std::atomic<int> counter{0};
    return counter++;
}

} // namespace

MuxSimProcess::MuxSimProcess()
{
    // A test that crashes must not leave simulators behind.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

MuxSimProcess::~MuxSimProcess()
{
    stop();
}

bool MuxSimProcess::start(const QStringList &args)
{
    stop();
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("cannot create a temporary folder");
        return false;
    }
    const QString name = QStringLiteral("mux%1").arg(nextNumber());
    m_linkPath = m_dir.filePath(name);
    m_logPath = m_dir.filePath(name + QStringLiteral(".log"));
    m_stdout.clear();
    m_error.clear();
    m_process.start(programPath(),
                    QStringList{QStringLiteral("--link"), m_linkPath, QStringLiteral("--log"), m_logPath} + args);
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(5000);
    while (!m_stdout.contains("muxsim: ready")) {
        if (m_process.state() != QProcess::Running
            || !m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            m_error = QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed();
            if (m_error.isEmpty())
                m_error = QStringLiteral("muxsim did not become ready");
            stop();
            return false;
        }
        m_stdout += m_process.readAllStandardOutput();
    }
    return true;
}

QByteArray MuxSimProcess::log() const
{
    QFile file(m_logPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool MuxSimProcess::waitForLog(const QByteArray &expected, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!log().contains(expected)) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

bool MuxSimProcess::waitForVanished(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!m_stdout.contains("muxsim: vanished")) {
        if (m_process.state() != QProcess::Running || !m_process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        m_stdout += m_process.readAllStandardOutput();
    }
    return true;
}

void MuxSimProcess::trigger()
{
    if (m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), SIGUSR1);
}

int MuxSimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

} // namespace testsupport
