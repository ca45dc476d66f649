#pragma once

#include <QString>

#include <algorithm>

namespace acquisition {

// The cursor steps of an acquisition, each an integer text (empty until set).
enum class Step {
    PerValueVertical,     // Edit11
    PerValueHorizontal,   // Edit12
    NextSeriesVertical,   // Edit16
    NextSeriesHorizontal, // Edit15
    NextBatchVertical,    // lot_vert
    NextBatchHorizontal,  // lot_horiz
};

constexpr int kStepCount = 6;
constexpr int kInstrumentCount = 8;
constexpr int kMinBatchSize = 2;
constexpr int kMaxBatchSize = 25;

// Measurement mode and multiplexer mode values; -1 means no choice selected.
constexpr int kNoMode = -1;
constexpr int kContinuousMeasurement = 0;
constexpr int kBatchMeasurement = 1;
constexpr int kAddressedMode = 0;
constexpr int kMultipleMode = 1;

inline int clampBatchSize(int size) { return std::clamp(size, kMinBatchSize, kMaxBatchSize); }
// A radio group holds no index beyond its two items.
inline int clampMode(int mode) { return std::clamp(mode, kNoMode, 1); }

// The acquisition configuration as the editor window holds it. Readers and
// writers (configuration file, main window, acquisition cycle) go through this
// interface so that none of them depends on the editor's controls. Every
// setter that changes a value marks the configuration as modified.
// Instruments are numbered 1 to kInstrumentCount.
class ConfigurationValues {
public:
    virtual ~ConfigurationValues() = default;

    virtual QString step(Step which) const = 0;
    virtual void setStep(Step which, const QString &text) = 0;

    virtual int batchSize() const = 0;
    // Clamps into kMinBatchSize..kMaxBatchSize, as the spin box does.
    virtual void setBatchSize(int size) = 0;

    // Modes: kNoMode, or 0/1 as named above; setters clamp with clampMode.
    virtual int measurementMode() const = 0;
    virtual void setMeasurementMode(int mode) = 0;
    virtual int multiplexerMode() const = 0;
    virtual void setMultiplexerMode(int mode) = 0;

    // Addressed mode: number of values per series; empty = instrument not read.
    virtual QString instrumentCount(int instrument) const = 0;
    virtual void setInstrumentCount(int instrument, const QString &text) = 0;

    // Multiple mode: instrument read or not.
    virtual bool instrumentChecked(int instrument) const = 0;
    virtual void setInstrumentChecked(int instrument, bool checked) = 0;
};

} // namespace acquisition
