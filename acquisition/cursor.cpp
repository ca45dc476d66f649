#include "acquisition/cursor.h"

#include "acquisition/configvalues.h"
#include "acquisition/keysink.h"
#include "acquisition/valuekeys.h"
#include "common/integertext.h"

namespace acquisition {

namespace {

// An empty step field gets its default written back, so the editor shows it.
void fillIfEmpty(ConfigurationValues &config, Step which, const QString &fallback)
{
    if (config.step(which).isEmpty())
        config.setStep(which, fallback);
}

void pressTimes(KeySink &keys, Key key, qint64 count)
{
    for (qint64 i = 0; i < count; ++i)
        keys.press(key);
}

void pressBack(KeySink &keys, qint64 distance, Key backward, Key forward)
{
    if (distance > 0)
        pressTimes(keys, backward, distance);
    else
        pressTimes(keys, forward, -distance);
}

} // namespace

Cursor::Cursor(ConfigurationValues &config, KeySink &keys) : m_config(config), m_keys(keys) {}

void Cursor::putValue(const QString &value)
{
    fillIfEmpty(m_config, Step::PerValueHorizontal, QStringLiteral("1"));
    fillIfEmpty(m_config, Step::PerValueVertical, QStringLiteral("0"));
    typeValue(m_keys, value);
    // Both steps are read before anything is counted, so the counters always
    // match the arrows actually sent.
    const int horizontal = common::toInteger(m_config.step(Step::PerValueHorizontal));
    const int vertical = common::toInteger(m_config.step(Step::PerValueVertical));
    m_horizontal += horizontal;
    m_vertical += vertical;
    moveBy(m_keys, horizontal, vertical);
}

void Cursor::returnToSeriesStart()
{
    pressBack(m_keys, m_horizontal, Key::Left, Key::Right);
    pressBack(m_keys, m_vertical, Key::Up, Key::Down);
    resetCounters();
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
    fillIfEmpty(m_config, verticalStep, QStringLiteral("1"));
    fillIfEmpty(m_config, horizontalStep, QStringLiteral("0"));
    returnToSeriesStart();
    // Not counted: the point reached is the start of the next series.
    const int horizontal = common::toInteger(m_config.step(horizontalStep));
    const int vertical = common::toInteger(m_config.step(verticalStep));
    moveBy(m_keys, horizontal, vertical);
}

void Cursor::resetCounters()
{
    m_horizontal = 0;
    m_vertical = 0;
}

} // namespace acquisition
