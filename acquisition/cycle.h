#pragma once

#include "acquisition/cycleview.h"

#include <QByteArray>
#include <QString>

namespace muxlink {
class AcquisitionLink;
class EventPump;
} // namespace muxlink

namespace acquisition {

class ConfigurationValues;
class Cursor;
class PacedTyping;
class ReadingJournal;
struct SeriesPlan;

// The acquisition cycle: series after series, it asks the multiplexer for the
// readings the configuration selects, types each value through the cursor and
// moves the cursor at the end of each series or batch, until a stop. It runs
// inside one timer tick and serves the window's events while it waits for a
// reading, so the buttons below run nested inside it; they only set the stop
// flag and the cycle unwinds by itself.
class AcquisitionCycle {
public:
    AcquisitionCycle(muxlink::AcquisitionLink &link, muxlink::EventPump &pump,
                     ConfigurationValues &config, Cursor &cursor, CycleView &view);

    // "Lecture": the cycle begins at the next timer tick.
    void start();
    // "Stop": ends a running cycle and brings the commands back to idle.
    void stop();
    // "Reprise": ends the running cycle and takes the series again from
    // instrument 1, counted as the previous series of the batch.
    void repeatSeries();
    // Closing the window: ends a running cycle, commands unchanged.
    void requestStop() { m_stopRequested = true; }
    // Every value is noted there before it is typed; none: not noted.
    void setJournal(ReadingJournal *journal) { m_journal = journal; }
    // The queue the cursor types through, when keys may be paced: long moves
    // wait for it, and a key it could not type ends the cycle.
    void setTyping(PacedTyping *typing) { m_typing = typing; }

    // The timer tick. Returns when the cycle ends; a tick that comes while a
    // cycle is still unwinding is ignored, and the timer left running starts
    // the new cycle once the old one has returned.
    void run();

    bool running() const { return m_running; }
    bool stopRequested() const { return m_stopRequested; }
    int seriesNumber() const { return m_seriesNumber; }
    const CommandState &commands() const { return m_commands; }

private:
    enum class Outcome { Continue, Ended };
    Outcome runSeries();
    Outcome readAddressed(const SeriesPlan &plan);
    Outcome readMultiple(const SeriesPlan &plan);
    Outcome receiveValue(int instrument);
    void noteInJournal(int instrument, const QString &line, const QString &value);
    void dropPendingReadings();
    Outcome send(const QByteArray &command);
    Outcome pumpAndTest();
    // Before each arrow of a cursor move: paces long runs, serving the events
    // in the pauses; true when "Stop" came in one.
    bool betweenKeys();
    bool stopOrTypingFailed() const;
    void endSeries();
    void fail(const QString &message);
    void deviceLost();
    void setCommands(const CommandState &state);
    void setRepeatEnabled(bool enabled);

    muxlink::AcquisitionLink &m_link;
    muxlink::EventPump &m_pump;
    ConfigurationValues &m_config;
    Cursor &m_cursor;
    CycleView &m_view;
    CommandState m_commands;
    bool m_stopRequested = false;
    bool m_stopped = false; // by stop(), "Stop" or a failure
    bool m_running = false;
    ReadingJournal *m_journal = nullptr;
    PacedTyping *m_typing = nullptr;
    int m_seriesNumber = 1; // within the current batch, from 1
    int m_batchNumber = 1;
    int m_continuousSeries = 1;
    int m_keysInBurst = 0; // keys sent since the last pause or reading
};

} // namespace acquisition
