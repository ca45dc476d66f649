#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// Runs the multiplexer simulator for a test: its own link and receive log in a
// temporary folder, stopped (and the link removed) when the object goes.
class MuxSimProcess {
public:
    MuxSimProcess();
    ~MuxSimProcess();
    MuxSimProcess(const MuxSimProcess &) = delete;
    MuxSimProcess &operator=(const MuxSimProcess &) = delete;

    // Starts "muxsim --link <tmp>/muxN --log <tmp>/muxN.log <args>" and waits at
    // most 5 s for it to be ready. On failure, errorString() says why.
    bool start(const QStringList &args);

    QString linkPath() const { return m_linkPath; }
    QString logPath() const { return m_logPath; }
    QString errorString() const { return m_error; }
    // 0 when not running.
    qint64 processId() const { return m_process.processId(); }

    // Every byte received from the program so far.
    QByteArray log() const;

    // Waits until the log contains `expected`, at most `ms`.
    bool waitForLog(const QByteArray &expected, int ms);

    // Waits until the simulator has dropped its device (--vanish-after).
    bool waitForVanished(int ms);

    // One reading round, as one interval tick.
    void trigger();

    // Stops the simulator; returns its exit status (-1 when it had to be killed).
    int stop();

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_linkPath;
    QString m_logPath;
    QString m_error;
    QByteArray m_stdout;
};

} // namespace testsupport
