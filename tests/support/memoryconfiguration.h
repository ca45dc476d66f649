#pragma once

#include "acquisition/configvalues.h"

#include <array>

namespace acquisition {

// Configuration values held in plain members, with the modified mark that the
// editor keeps in its change handlers. Starts as the editor's empty controls.
class MemoryConfiguration : public ConfigurationValues {
public:
    QString step(Step which) const override;
    void setStep(Step which, const QString &text) override;
    int batchSize() const override { return m_batchSize; }
    void setBatchSize(int size) override;
    int measurementMode() const override { return m_measurementMode; }
    void setMeasurementMode(int mode) override;
    int multiplexerMode() const override { return m_multiplexerMode; }
    void setMultiplexerMode(int mode) override;
    QString instrumentCount(int instrument) const override;
    void setInstrumentCount(int instrument, const QString &text) override;
    bool instrumentChecked(int instrument) const override;
    void setInstrumentChecked(int instrument, bool checked) override;

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

private:
    template <typename T> void change(T &field, const T &value);

    std::array<QString, kStepCount> m_steps;
    int m_batchSize = kMinBatchSize;
    int m_measurementMode = kContinuousMeasurement;
    int m_multiplexerMode = kAddressedMode;
    std::array<QString, kInstrumentCount> m_counts;
    std::array<bool, kInstrumentCount> m_checked{};
    bool m_modified = false;
};

} // namespace acquisition
