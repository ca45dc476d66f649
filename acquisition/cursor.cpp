#include "acquisition/cursor.h"

#include "acquisition/configvalues.h"
#include "acquisition/keysink.h"
#include "acquisition/valuekeys.h"
#include "common/integertext.h"

namespace acquisition {

namespace {

QString defaultStep(Step which)
{
    switch (which) {
    case Step::PerValueHorizontal:
    case Step::NextSeriesVertical:
    case Step::NextBatchVertical:
        return QStringLiteral("1");
    default:
        return QStringLiteral("0");
    }
}

// An empty step field gets its default written back, so the editor shows it.
void fillIfEmpty(ConfigurationValues &config, Step which)
{
    if (config.step(which).isEmpty())
        config.setStep(which, defaultStep(which));
}

} // namespace

Cursor::Cursor(ConfigurationValues &config, KeySink &keys) : m_config(config), m_keys(keys) {}

void Cursor::checkSteps() const
{
    for (int i = 0; i < kStepCount; ++i) {
        const QString text = m_config.step(static_cast<Step>(i));
        if (!text.isEmpty())
            common::toInteger(text);
    }
}

Cursor::Steps Cursor::filledSteps(Step horizontalStep, Step verticalStep)
{
    fillIfEmpty(m_config, horizontalStep);
    fillIfEmpty(m_config, verticalStep);
    return {common::toInteger(m_config.step(horizontalStep)), common::toInteger(m_config.step(verticalStep))};
}

// Sends |step| arrows, forward for a positive step, adding each one sent to
// the counter. False when the stop check ended the move early.
bool Cursor::move(qint64 step, Key forward, Key backward, qint64 *counter)
{
    const Key key = step > 0 ? forward : backward;
    const qint64 unit = step > 0 ? 1 : -1;
    for (qint64 sent = 0; sent != step; sent += unit) {
        if (m_stopCheck && m_stopCheck())
            return false;
        m_keys.press(key);
        if (counter)
            *counter += unit;
    }
    return true;
}

void Cursor::putValue(const QString &value)
{
    // Converted first: a bad step must not leave half an entry in the cell.
    const Steps steps = filledSteps(Step::PerValueHorizontal, Step::PerValueVertical);
    typeValue(m_keys, value);
    if (move(steps.horizontal, Key::Right, Key::Left, &m_horizontal))
        move(steps.vertical, Key::Down, Key::Up, &m_vertical);
}

bool Cursor::returnToStart()
{
    return move(-m_horizontal, Key::Right, Key::Left, &m_horizontal)
        && move(-m_vertical, Key::Down, Key::Up, &m_vertical);
}

void Cursor::nextSeries()
{
    moveToNextStart(Step::NextSeriesHorizontal, Step::NextSeriesVertical);
}

void Cursor::nextBatch()
{
    moveToNextStart(Step::NextBatchHorizontal, Step::NextBatchVertical);
}

void Cursor::moveToNextStart(Step horizontalStep, Step verticalStep)
{
    const Steps steps = filledSteps(horizontalStep, verticalStep);
    if (!returnToStart())
        return;
    // Not counted: the point reached is the start of the next series.
    if (move(steps.horizontal, Key::Right, Key::Left, nullptr))
        move(steps.vertical, Key::Down, Key::Up, nullptr);
}

void Cursor::resetCounters()
{
    m_horizontal = 0;
    m_vertical = 0;
}

} // namespace acquisition
