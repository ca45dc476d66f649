#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// A D-Bus bus daemon of the caller's own, with no service that could start by
// itself; ended with the object, or with the process that started it.
class PrivateBus {
public:
    bool start();
    // Ends the daemon now: every connection to it is lost.
    void stop();
    ~PrivateBus();
    QString address;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
};

// The stand-in desktop portal (fakeportal, its options described there) on a
// bus, and the lines it writes: the calls it got and the key events as they
// reached the desktop.
class PortalStandIn {
public:
    bool start(const QString &bus, const QStringList &options = {});
    ~PortalStandIn();
    // Every line after "ready", once `last` has come (or after 5 s).
    QStringList calls(const QString &last = {});

private:
    bool waitFor(const QString &line);
    void read();
    QProcess m_process;
    QStringList m_lines;
};

} // namespace testsupport
