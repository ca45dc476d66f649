#pragma once

#include <QList>
#include <QtGlobal>

namespace muxlink {
class Clock;
}

namespace acquisition {

// Whether the user's LibreOffice is still taking in keys. Behind, it handles
// a burst of keys out of order or drops arrows; once its main thread sleeps
// again in its event loop it has handled every key sent so far. Looked up by process, which
// works the same on X11 and Wayland; with no LibreOffice running it is never busy.
class TargetActivity {
public:
    explicit TargetActivity(muxlink::Clock &clock) : m_clock(clock) {}
    bool busy();

private:
    void findProcesses();

    muxlink::Clock &m_clock;
    QList<qint64> m_pids;
    qint64 m_foundAt = -1;
};

} // namespace acquisition
