#pragma once

#include "acquisition/configvalues.h"

#include <QtGlobal>

#include <array>

namespace acquisition {

// What one series asks of the multiplexer, read from the configuration at the
// start of the series.
struct SeriesPlan {
    bool multiple = false;
    quint8 mask = 0;               // multiple mode: bit k-1 for instrument k
    std::array<bool, kInstrumentCount> addressed {}; // addressed mode: count field not empty
    std::array<int, kInstrumentCount> counts {};     // addressed mode: readings per instrument

    // False when the series would wait for no reading at all: it could then
    // never be stopped, since only the reading waits serve the events.
    bool takesReadings() const;
};

// Throws common::UserError for a count that is not an integer (addressed mode).
SeriesPlan planSeries(const ConfigurationValues &config);

} // namespace acquisition
