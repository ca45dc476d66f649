#pragma once

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace testsupport {

// One key event as the key target window got it.
struct ReceivedKey {
    bool press = false;
    unsigned keysym = 0;
    int qtKey = 0;
    QString text;
    bool repeat = false;
    bool operator==(const ReceivedKey &) const = default;
};

// Runs the key target window (tests/keytarget), which takes the focus and
// reports every key event it receives.
class KeyTargetProcess {
public:
    KeyTargetProcess();
    ~KeyTargetProcess();

    // Starts it and waits until it has the keyboard focus.
    bool start(const QProcessEnvironment &env, int ms = 15000);
    QString errorString() const { return m_error; }

    // Waits until `count` events in all have arrived, at most `ms`.
    bool waitForEvents(int count, int ms);
    const QList<ReceivedKey> &events() const { return m_events; }
    // How often the window got the focus (it says "ready" each time).
    int focusCount() const { return m_focusCount; }
    void clear() { m_events.clear(); }

    void stop();

private:
    void readLines();

    QProcess m_process;
    QByteArray m_pending;
    QList<ReceivedKey> m_events;
    int m_focusCount = 0;
    QString m_error;
};

} // namespace testsupport
