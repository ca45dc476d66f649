#pragma once

#include "acquisition/keysink.h"

#include <QString>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace muxlink {
class Clock;
}

namespace acquisition {

// How fast keys go out ([CLAVIER] Cadence in quorix.ini): "auto" paces only
// targets that lose keys at full speed; a number is the pause in ms between
// two keys for every target, 0 never pausing.
struct TypingPace {
    bool automatic = true;
    int gapMs = 0;
};
std::optional<TypingPace> parseTypingPace(const QString &text);

// Between two keys for a target that needs a pace: two presses of one key
// never reach the display in the same millisecond (taken for a held key).
inline constexpr int kAutomaticGapMs = 12;
// A paced key also waits while the target is busy, looked at this often,
// for this long at most (a target busy for good still gets its keys).
inline constexpr int kBusyLookMs = 4;
inline constexpr int kBusyWaitMs = 2000;
// The first character after an arrow waits longer: a busy target may still
// have the arrow to act on, and the character would overtake it.
inline constexpr int kBusyWaitAfterMoveMs = 20000;
// Idle means seen idle at every look for this long: between taking a key
// and acting on it (an arrow is acted on later) a target may look idle once.
inline constexpr int kIdleSpanMs = 8;

// The keys of the cycle on their way to the target. Unpaced, they pass
// straight through. Paced, they wait in order in a queue while the caller goes
// on (the serial reading is not held up): a timer types them one at a time,
// each only once the display took the one before and the target is no longer
// busy with it. The target's own calls
// (press() may serve events) never run inside one another; keys queued from
// inside a call are typed after it, in order.
class PacedTyping : public KeySink {
public:
    PacedTyping(KeySink &target, muxlink::Clock &clock);
    ~PacedTyping() override;

    void setPace(TypingPace pace) { m_pace = pace; }
    // True while the target has not taken in the keys sent; none: never busy.
    void setBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }
    // Called whenever the number of waiting values changes, when the last key
    // waiting is typed, and when typing failed.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    void prepare() override;
    void press(Key key) override;
    void beginValue() override;
    void endValue() override;
    void stopWaiting() override { m_target.stopWaiting(); }

    // Values begun and not yet typed to their last key.
    int valuesWaiting() const { return m_valuesWaiting; }
    int keysWaiting() const { return m_keysWaiting; }
    bool idle() const { return m_queue.empty(); }

    // Types what is due now; the timer calls it. Returns the ms until the next
    // key is due, -1 when nothing waits.
    int typeDue();

    // The target refused a queued key: what waited is dropped (every value is
    // in the journal) and the error kept for the cycle.
    bool failed() const { return static_cast<bool>(m_failure); }
    // Throws the kept error, once.
    void throwIfFailed();

private:
    enum class Step { Begin, Press, End };
    struct Item {
        Step step;
        Key key;
    };
    void enqueue(Step step, Key key = Key::Numpad0);
    void typeItem(const Item &item);
    void schedule(int ms);
    // Ms until the next key may go, 0: now.
    int waitBeforeKey(Key key);
    // The pause and whether to wait for the target, for the value to come.
    void choosePace();
    bool passThrough() const;

    KeySink &m_target;
    muxlink::Clock &m_clock;
    TypingPace m_pace;
    std::function<void()> m_changed;
    std::function<bool()> m_busy;
    std::deque<Item> m_queue;
    std::unique_ptr<QTimer> m_timer;
    std::exception_ptr m_failure;
    int m_gapMs = 0;       // for the value being typed
    qint64 m_nextKeyAt = 0;
    qint64 m_idleSince = -1; // the target seen idle at every look since, -1: not now
    bool m_lastKeyMoved = false; // the last key typed was an arrow
    bool m_waitWhileBusy = false; // the target is one known to lose keys
    int m_valuesWaiting = 0;
    int m_keysWaiting = 0;
    int m_openValues = 0; // begun by the caller, not yet ended
    bool m_typing = false; // inside a call to the target
    bool m_valueDropped = false; // the open value went with a failure
};

} // namespace acquisition
