#include "tests/support/memoryconfiguration.h"

namespace acquisition {

namespace {

std::size_t slot(int instrument)
{
    Q_ASSERT(instrument >= 1 && instrument <= kInstrumentCount);
    return std::size_t(std::clamp(instrument, 1, kInstrumentCount) - 1);
}

} // namespace

template <typename T> void MemoryConfiguration::change(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    m_modified = true;
}

QString MemoryConfiguration::step(Step which) const { return m_steps.at(std::size_t(which)); }

void MemoryConfiguration::setStep(Step which, const QString &text)
{
    change(m_steps.at(std::size_t(which)), text);
}

void MemoryConfiguration::setBatchSize(int size) { change(m_batchSize, clampBatchSize(size)); }
void MemoryConfiguration::setMeasurementMode(int mode) { change(m_measurementMode, clampMode(mode)); }
void MemoryConfiguration::setMultiplexerMode(int mode) { change(m_multiplexerMode, clampMode(mode)); }

QString MemoryConfiguration::instrumentCount(int instrument) const { return m_counts.at(slot(instrument)); }

void MemoryConfiguration::setInstrumentCount(int instrument, const QString &text)
{
    change(m_counts.at(slot(instrument)), text);
}

bool MemoryConfiguration::instrumentChecked(int instrument) const { return m_checked.at(slot(instrument)); }

void MemoryConfiguration::setInstrumentChecked(int instrument, bool checked)
{
    change(m_checked.at(slot(instrument)), checked);
}

} // namespace acquisition
