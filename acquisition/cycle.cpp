#include "acquisition/cycle.h"

#include "acquisition/configvalues.h"
#include "acquisition/cursor.h"
#include "acquisition/readingjournal.h"
#include "acquisition/seriesplan.h"
#include "acquisition/keysink.h"
#include "acquisition/pacedtyping.h"
#include "common/usererror.h"
#include "link/acquisitionlink.h"
#include "link/commands.h"
#include "link/eventpump.h"
#include "link/readingline.h"

#include <QScopeGuard>

namespace acquisition {

namespace {
// Keys beyond this many since the last reading go out in bursts of this size,
// each followed by a pause that serves the window's events. Sent unpaced, a
// long run of arrows outruns the window manager and the target application:
// they take seconds to catch up, and a click on "Stop" waits behind them.
constexpr int kKeysPerBurst = 64;
constexpr int kPauseAfterBurstMs = 40; // about 1600 keys a second
} // namespace

AcquisitionCycle::AcquisitionCycle(muxlink::AcquisitionLink &link, muxlink::EventPump &pump,
                                   ConfigurationValues &config, Cursor &cursor, CycleView &view)
    : m_link(link), m_pump(pump), m_config(config), m_cursor(cursor), m_view(view)
{
}

void AcquisitionCycle::setCommands(const CommandState &state)
{
    m_commands = state;
    m_view.setCommands(state);
}

void AcquisitionCycle::setRepeatEnabled(bool enabled)
{
    CommandState state = m_commands;
    state.repeat = enabled;
    setCommands(state);
}

void AcquisitionCycle::start()
{
    if (!m_commands.read)
        return;
    CommandState state = m_commands;
    state.read = false;
    state.stop = true;
    state.fileCommands = false;
    setCommands(state);
    m_view.setTimerEnabled(true);
}

void AcquisitionCycle::stop()
{
    m_stopRequested = true;
    m_stopped = true;
    if (m_typing)
        m_typing->stopWaiting();
    // Without this a "Reprise" just before "Stop" would still start a cycle.
    m_view.setTimerEnabled(false);
    setCommands(CommandState {});
}

void AcquisitionCycle::repeatSeries()
{
    if (!m_commands.repeat)
        return;
    m_stopRequested = true;
    // The series taken again replaces the previous one in the counts.
    if (m_seriesNumber == 1) {
        m_seriesNumber = m_config.batchSize();
        m_batchNumber = qMax(1, m_batchNumber - 1);
    } else {
        --m_seriesNumber;
    }
    m_continuousSeries = qMax(1, m_continuousSeries - 1);
    m_view.setTimerEnabled(true);
}

void AcquisitionCycle::run()
{
    if (m_running)
        return;
    m_running = true;
    const auto clearRunning = qScopeGuard([this] {
        m_running = false;
        if (m_journal)
            m_journal->closeSeries();
    });
    m_view.setTimerEnabled(false);
    setRepeatEnabled(false);
    m_stopRequested = false;
    m_stopped = false;
    m_cursor.setStopCheck([this] { return betweenKeys(); });
    const auto detachCursor = qScopeGuard([this] { m_cursor.setStopCheck({}); });
    try {
        while (runSeries() == Outcome::Continue) {
        }
        if (m_typing)
            m_typing->throwIfFailed();
    } catch (const CannotType &e) {
        stop();
        m_view.showTypingFailure(e);
    } catch (const common::UserError &e) {
        fail(e.text());
    }
}

// A fault that "Stop" could not mend: back to idle first, so the commands are
// right while the message is up.
void AcquisitionCycle::fail(const QString &message)
{
    stop();
    m_view.showError(message);
}

void AcquisitionCycle::deviceLost()
{
    stop();
    m_view.showDeviceLost();
}

AcquisitionCycle::Outcome AcquisitionCycle::runSeries()
{
    const SeriesPlan plan = planSeries(m_config);
    // Like the counts, every step is converted before the series sends or types anything.
    m_cursor.checkSteps();
    if (!plan.takesReadings()) {
        stop();
        m_view.showNoInstrument();
        return Outcome::Ended;
    }
    const Outcome outcome = plan.multiple ? readMultiple(plan) : readAddressed(plan);
    // A stop during the last value's arrows ends the series without its move.
    if (outcome == Outcome::Ended || m_stopRequested)
        return Outcome::Ended;
    endSeries();
    return m_stopRequested ? Outcome::Ended : Outcome::Continue;
}

AcquisitionCycle::Outcome AcquisitionCycle::readAddressed(const SeriesPlan &plan)
{
    for (int i = 0; i < kInstrumentCount; ++i) {
        if (!plan.addressed[i])
            continue;
        if (send(muxlink::selectCommand(i + 1)) == Outcome::Ended)
            return Outcome::Ended;
        for (int n = 0; n < plan.counts[i]; ++n) {
            if (pumpAndTest() == Outcome::Ended)
                return Outcome::Ended;
            m_view.setValueHolder(QString());
            if (receiveValue(i + 1) == Outcome::Ended)
                return Outcome::Ended;
        }
    }
    return Outcome::Continue;
}

AcquisitionCycle::Outcome AcquisitionCycle::readMultiple(const SeriesPlan &plan)
{
    if (send(muxlink::multipleCommand(plan.mask)) == Outcome::Ended
        || pumpAndTest() == Outcome::Ended)
        return Outcome::Ended;
    m_view.setValueHolder(QString());
    // The multiplexer answers in ascending input order.
    for (int i = 0; i < kInstrumentCount; ++i) {
        if (muxlink::maskHasInput(plan.mask, i + 1) && receiveValue(i + 1) == Outcome::Ended)
            return Outcome::Ended;
    }
    return Outcome::Continue;
}

// What waits now answers an earlier selection (a reading taken while idle, one
// more than was asked for): typed after this command it would land in another
// instrument's cell.
void AcquisitionCycle::dropPendingReadings()
{
    m_link.discardInput();
}

AcquisitionCycle::Outcome AcquisitionCycle::send(const QByteArray &command)
{
    dropPendingReadings();
    if (m_link.send(command) < 0) {
        deviceLost();
        return Outcome::Ended;
    }
    return Outcome::Continue;
}

AcquisitionCycle::Outcome AcquisitionCycle::pumpAndTest()
{
    m_pump.processPending();
    return stopOrTypingFailed() ? Outcome::Ended : Outcome::Continue;
}

bool AcquisitionCycle::stopOrTypingFailed() const
{
    return m_stopRequested || (m_typing && m_typing->failed());
}

// "Stop" reaches a move through the pause's events, or at once through those
// a sink serves while it waits for the desktop; a move that has begun is not
// cut short by anything else.
bool AcquisitionCycle::betweenKeys()
{
    if (++m_keysInBurst <= kKeysPerBurst)
        return m_stopped;
    m_keysInBurst = 1;
    muxlink::pumpFor(m_pump, m_link.clock(), kPauseAfterBurstMs);
    // A paced target takes a long move slower than it is queued: the move
    // waits for it, so that "Stop" still cuts it short.
    while (m_typing && m_typing->keysWaiting() > kKeysPerBurst && !stopOrTypingFailed())
        m_pump.waitForEvents(kPauseAfterBurstMs);
    return stopOrTypingFailed();
}

AcquisitionCycle::Outcome AcquisitionCycle::receiveValue(int instrument)
{
    // Waiting for a reading is pause enough: the next keys start a new burst.
    m_keysInBurst = 0;
    QByteArray line;
    switch (m_link.receiveLine(line, [this] { return stopOrTypingFailed(); })) {
    case muxlink::AcquisitionLink::Receive::Stopped:
        return Outcome::Ended;
    case muxlink::AcquisitionLink::Receive::Gone:
        // What arrived of the line is dropped: half a value typed is worse than none.
        deviceLost();
        return Outcome::Ended;
    case muxlink::AcquisitionLink::Receive::Line:
        break;
    }
    // The collector keeps only 0x20..0x7E, so Latin-1 is exact.
    const QString text = QString::fromLatin1(line);
    m_view.setValueHolder(text);
    const QString value = muxlink::extractValue(text);
    m_view.setValueHolder(value);
    // Noted first: a value whose typing fails is still on record.
    noteInJournal(instrument, text, value);
    m_cursor.putValue(value);
    return Outcome::Continue;
}

void AcquisitionCycle::noteInJournal(int instrument, const QString &line, const QString &value)
{
    if (!m_journal)
        return;
    const bool batches = m_config.measurementMode() == kBatchMeasurement;
    m_journal->record({batches ? m_batchNumber : 0, batches ? m_seriesNumber : m_continuousSeries,
                       instrument, line, value});
}

void AcquisitionCycle::endSeries()
{
    if (m_journal)
        m_journal->closeSeries();
    switch (m_config.measurementMode()) {
    case kContinuousMeasurement:
        ++m_continuousSeries;
        m_cursor.nextSeries();
        setRepeatEnabled(true);
        break;
    case kBatchMeasurement:
        setRepeatEnabled(true);
        if (m_config.batchSize() < ++m_seriesNumber) {
            m_seriesNumber = 1;
            ++m_batchNumber;
            m_cursor.nextBatch();
        } else {
            m_cursor.nextSeries();
        }
        break;
    default:
        break; // no choice: no move, "Reprise" as it was
    }
}

} // namespace acquisition
