#pragma once

#include "acquisition/configvalues.h"

#include <QString>

namespace acquisition {

class KeySink;

// The cursor arithmetic of the keystroke output: types each value, steps the
// target application's cursor after it, and at the end of a series or batch
// brings it back to where the series began and on to the next start. The
// program never sees the target window, so it counts the arrows it has sent.
// Steps are read from the configuration at each use; a step that is not an
// integer throws common::UserError, and the keys sent before stay sent.
class Cursor {
public:
    Cursor(ConfigurationValues &config, KeySink &keys);

    // Types the value, then moves by the per-value steps and counts them.
    void putValue(const QString &value);
    // Undoes the counted moves of the current series; both counters become 0.
    void returnToSeriesStart();
    // Back to the series start, then on by the next-series steps (not counted).
    void nextSeries();
    // The same with the next-batch steps.
    void nextBatch();
    void resetCounters();

    // Distance from the start of the current series, right and down positive.
    qint64 horizontal() const { return m_horizontal; }
    qint64 vertical() const { return m_vertical; }

private:
    void moveToNextStart(Step horizontalStep, Step verticalStep);

    ConfigurationValues &m_config;
    KeySink &m_keys;
    // 64 bits: a long run with large steps must not overflow.
    qint64 m_horizontal = 0;
    qint64 m_vertical = 0;
};

} // namespace acquisition
