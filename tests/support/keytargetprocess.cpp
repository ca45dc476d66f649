#include "tests/support/keytargetprocess.h"
#include "tests/support/processes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <csignal>
#include <sys/prctl.h>

namespace testsupport {

KeyTargetProcess::KeyTargetProcess()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

KeyTargetProcess::~KeyTargetProcess()
{
    stop();
}

bool KeyTargetProcess::start(const QProcessEnvironment &env, int ms)
{
    m_process.setProcessEnvironment(env);
    m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/keytarget"));
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(ms);
    while (m_focusCount == 0) {
        if (!m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            m_error = QStringLiteral("the key target did not get the focus");
            return false;
        }
        readLines();
    }
    return true;
}

void KeyTargetProcess::readLines()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QList<QByteArray> fields = m_pending.left(end).split(' ');
        m_pending.remove(0, end + 1);
        if (fields.value(0) == "ready") {
            ++m_focusCount;
            continue;
        }
        if (fields.size() < 4)
            continue;
        ReceivedKey key;
        key.press = fields[0] == "press";
        key.keysym = fields[1].toUInt(nullptr, 16);
        key.qtKey = fields[2].toInt(nullptr, 16);
        key.text = fields[3] == "-" ? QString() : QString::fromUtf8(QByteArray::fromHex(fields[3]));
        key.repeat = fields.value(4) == "repeat";
        m_events.append(key);
    }
}

bool KeyTargetProcess::waitForEvents(int count, int ms)
{
    const QDeadlineTimer deadline(ms);
    readLines();
    while (m_events.size() < count) {
        if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        readLines();
    }
    return true;
}

void KeyTargetProcess::stop()
{
    endProcess(m_process, 3000);
}

} // namespace testsupport
