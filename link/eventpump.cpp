#include "link/eventpump.h"

#include "link/deadline.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

namespace muxlink {

void pumpFor(EventPump &pump, Clock &clock, int ms)
{
    const Deadline deadline(clock, ms);
    for (int left = deadline.remainingMs(); left > 0; left = deadline.remainingMs())
        pump.waitForEvents(left);
}

void QtEventPump::processPending()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(int ms, int wakeHandle)
{
    if (ms <= 0) {
        processPending();
        return;
    }
    // The timer and the notifier only exist to wake the blocking call below.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(ms);
    std::unique_ptr<QSocketNotifier> notifier;
    if (wakeHandle >= 0)
        notifier = std::make_unique<QSocketNotifier>(wakeHandle, QSocketNotifier::Read);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace muxlink
