#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// A headless sway compositor for a test, in a runtime folder of its own. sway
// refuses to run as root, so under root (as in CI) it runs as the user nobody.
class SwaySession {
public:
    SwaySession();
    ~SwaySession();
    SwaySession(const SwaySession &) = delete;
    SwaySession &operator=(const SwaySession &) = delete;

    static bool installed();

    // Starts sway with these configuration lines (XWayland off unless one
    // says otherwise) and waits for its Wayland socket.
    bool start(const QStringList &configLines = {});
    QString errorString() const { return m_error; }
    QByteArray log() const;

    // The socket as an absolute path, fit for WAYLAND_DISPLAY.
    QString socketPath() const { return m_socket; }
    // The environment of a client of this compositor: the Wayland socket, a
    // runtime folder of the test's own, no X display.
    QProcessEnvironment clientEnvironment() const;
    // Points this process's own WAYLAND_DISPLAY at the compositor.
    void useInThisProcess() const;

    // Runs "swaymsg <args>"; false when it fails.
    bool message(const QStringList &args);

    void stop();

private:
    QTemporaryDir m_dir;
    QString m_runtime;
    QString m_clientRuntime;
    QString m_socket;
    QString m_error;
    QProcess m_process;
};

} // namespace testsupport
