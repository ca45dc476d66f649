#include "acquisition/pacedtyping.h"

#include "link/clock.h"

#include <QTimer>

namespace acquisition {

namespace {
bool isArrow(Key key) { return !isKeypadKey(key); }
} // namespace

std::optional<TypingPace> parseTypingPace(const QString &text)
{
    const QString name = text.trimmed().toLower();
    if (name.isEmpty() || name == QLatin1String("auto"))
        return TypingPace {};
    bool ok = false;
    const int ms = name.toInt(&ok);
    // Beyond a second a value of ten keys would take longer than most readings.
    if (!ok || ms < 0 || ms > 1000)
        return std::nullopt;
    return TypingPace {false, ms};
}

PacedTyping::PacedTyping(KeySink &target, muxlink::Clock &clock)
    : m_target(target), m_clock(clock), m_timer(std::make_unique<QTimer>())
{
    m_timer->setSingleShot(true);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { schedule(typeDue()); });
}

PacedTyping::~PacedTyping() = default;

void PacedTyping::prepare()
{
    m_failure = nullptr;
    m_target.prepare();
}

bool PacedTyping::passThrough() const
{
    return m_queue.empty() && !m_typing && m_gapMs == 0;
}

void PacedTyping::press(Key key)
{
    throwIfFailed();
    if (passThrough())
        m_target.press(key);
    else
        enqueue(Step::Press, key);
}

void PacedTyping::beginValue()
{
    throwIfFailed();
    if (m_openValues++ > 0)
        return;
    m_valueDropped = false;
    // Asked again at each value: the user may have clicked into another program.
    if (m_queue.empty() && !m_typing)
        choosePace();
    if (passThrough()) {
        m_target.beginValue();
        return;
    }
    ++m_valuesWaiting;
    enqueue(Step::Begin);
}

void PacedTyping::endValue()
{
    if (m_openValues == 0 || --m_openValues > 0)
        return;
    // After a failure the value's keys are gone with the rest: nothing to end.
    if (m_failure || m_valueDropped) {
        m_valueDropped = false;
        return;
    }
    if (passThrough())
        m_target.endValue();
    else
        enqueue(Step::End);
}

void PacedTyping::enqueue(Step step, Key key)
{
    // After a quiet spell the waits count from now.
    if (m_queue.empty())
        m_nextKeyAt = qMax(m_nextKeyAt, m_clock.nowMs());
    m_queue.push_back({step, key});
    if (step == Step::Press)
        ++m_keysWaiting;
    if (step == Step::Begin && m_changed)
        m_changed();
    // The first key goes out at once; the timer takes the rest.
    schedule(typeDue());
}

void PacedTyping::schedule(int ms)
{
    if (ms < 0)
        m_timer->stop();
    else if (!m_timer->isActive() || m_timer->remainingTime() > ms)
        m_timer->start(ms);
}

void PacedTyping::typeItem(const Item &item)
{
    switch (item.step) {
    case Step::Begin:
        m_target.beginValue();
        break;
    case Step::Press:
        m_target.press(item.key);
        // The display takes the key before the pause begins, so two keys
        // never reach it in the same instant.
        if (m_gapMs > 0)
            m_target.settle();
        break;
    case Step::End:
        m_target.endValue();
        break;
    }
}

void PacedTyping::choosePace()
{
    const bool losesKeys = m_target.needsPace();
    m_gapMs = m_pace.automatic ? (losesKeys ? kAutomaticGapMs : 0) : m_pace.gapMs;
    // A pace set by hand for another program is not held up by a busy LibreOffice.
    m_waitWhileBusy = losesKeys;
}

// The pause after the last key, then the target idle for a while: looked at
// during the pause too, so a target that keeps up costs nothing more.
int PacedTyping::waitBeforeKey(Key key)
{
    const qint64 now = m_clock.nowMs();
    const qint64 late = now - m_nextKeyAt;
    const int longest = m_lastKeyMoved && !isArrow(key) ? kBusyWaitAfterMoveMs : kBusyWaitMs;
    if (m_gapMs == 0 || !m_busy || !m_waitWhileBusy || late >= longest)
        return late < 0 ? static_cast<int>(-late) : 0;
    if (m_busy())
        m_idleSince = -1;
    else if (m_idleSince < 0)
        m_idleSince = now;
    if (late >= 0 && m_idleSince >= 0 && now - m_idleSince >= kIdleSpanMs)
        return 0;
    return late < 0 ? static_cast<int>(qMin<qint64>(-late, kBusyLookMs)) : kBusyLookMs;
}

int PacedTyping::typeDue()
{
    if (m_typing)
        return m_queue.empty() ? -1 : qMax(m_gapMs, 1);
    while (!m_queue.empty()) {
        const Item item = m_queue.front();
        if (item.step == Step::Press) {
            if (const int wait = waitBeforeKey(item.key); wait > 0)
                return wait;
        }
        if (item.step == Step::Begin)
            choosePace();
        m_queue.pop_front();
        m_typing = true;
        try {
            typeItem(item);
        } catch (...) {
            m_typing = false;
            m_failure = std::current_exception();
            m_valueDropped = m_openValues > 0;
            m_queue.clear();
            m_keysWaiting = 0;
            m_valuesWaiting = 0;
            if (m_changed)
                m_changed();
            return -1;
        }
        m_typing = false;
        if (item.step == Step::Press) {
            --m_keysWaiting;
            m_nextKeyAt = m_clock.nowMs() + m_gapMs;
            m_idleSince = -1;
            m_lastKeyMoved = isArrow(item.key);
        } else if (item.step == Step::End) {
            --m_valuesWaiting;
            if (m_changed)
                m_changed();
        }
        // The last of a move's arrows ends no value: idle is told all the same.
        if (m_queue.empty() && item.step == Step::Press && m_openValues == 0 && m_changed)
            m_changed();
    }
    return -1;
}

void PacedTyping::throwIfFailed()
{
    if (!m_failure)
        return;
    const std::exception_ptr failure = m_failure;
    m_failure = nullptr;
    std::rethrow_exception(failure);
}

} // namespace acquisition
