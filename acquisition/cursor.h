#pragma once

#include "acquisition/configvalues.h"
#include "acquisition/keysink.h"

#include <QString>

#include <functional>
#include <utility>

namespace acquisition {

// The cursor arithmetic of the keystroke output: types each value, steps the
// target application's cursor after it, and at the end of a series or batch
// brings it back to where the series began and on to the next start. The
// program never sees the target window, so it counts the arrows it has sent.
// Steps are read from the configuration at each use and converted before any
// key of that use goes out; a step that is not an integer throws
// common::UserError and nothing of that use is typed.
class Cursor {
public:
    Cursor(ConfigurationValues &config, KeySink &keys);

    // Asked between two arrows of a move; true ends the move there. A value's
    // own keys are never split. The counters always match the arrows sent.
    using StopCheck = std::function<bool()>;
    void setStopCheck(StopCheck check) { m_stopCheck = std::move(check); }

    // Converts all six steps without typing anything (an empty step counts as
    // its default), so a bad one is reported before a series types anything.
    void checkSteps() const;

    // Types the value, then moves by the per-value steps and counts them.
    void putValue(const QString &value);
    // Back to the series start, then on by the next-series steps (not counted).
    void nextSeries();
    // The same with the next-batch steps.
    void nextBatch();
    void resetCounters();

    // Distance from the start of the current series, right and down positive.
    qint64 horizontal() const { return m_horizontal; }
    qint64 vertical() const { return m_vertical; }

private:
    struct Steps {
        int horizontal;
        int vertical;
    };
    Steps filledSteps(Step horizontalStep, Step verticalStep);
    void moveToNextStart(Step horizontalStep, Step verticalStep);
    bool returnToStart();
    bool move(qint64 step, Key forward, Key backward, qint64 *counter);

    ConfigurationValues &m_config;
    KeySink &m_keys;
    StopCheck m_stopCheck;
    // 64 bits: a long run with large steps must not overflow.
    qint64 m_horizontal = 0;
    qint64 m_vertical = 0;
};

} // namespace acquisition
