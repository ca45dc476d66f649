#pragma once

#include <QProcess>

namespace testsupport {

// Asks a helper process to end, kills it when it has not within graceMs, and
// waits until it is gone.
inline void endProcess(QProcess &process, int graceMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(graceMs))
        process.kill();
    process.waitForFinished(2000);
}

} // namespace testsupport
