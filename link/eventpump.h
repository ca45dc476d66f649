#pragma once

namespace muxlink {

class Clock;

// Serves the window's event queue while the link waits, so timers and
// buttons stay live.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Serves the events already waiting; never blocks.
    virtual void processPending() = 0;
    // Serves events, blocking at most ms for one to come; returns early when
    // wakeHandle (a descriptor, -1 for none) becomes readable.
    virtual void waitForEvents(int ms, int wakeHandle = -1) = 0;
};

// The wait with message pumping: serves events until ms have passed.
void pumpFor(EventPump &pump, Clock &clock, int ms);

// The Qt event loop of the running application.
class QtEventPump : public EventPump {
public:
    void processPending() override;
    void waitForEvents(int ms, int wakeHandle = -1) override;
};

} // namespace muxlink
