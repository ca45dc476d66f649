#include "acquisition/seriesplan.h"

#include "acquisition/configvalues.h"
#include "common/integertext.h"
#include "link/commands.h"

namespace acquisition {

bool SeriesPlan::takesReadings() const
{
    if (multiple)
        return mask != 0;
    for (int i = 0; i < kInstrumentCount; ++i) {
        if (addressed[i] && counts[i] > 0)
            return true;
    }
    return false;
}

SeriesPlan planSeries(const ConfigurationValues &config)
{
    SeriesPlan plan;
    // Any mode other than addressed, "no choice" included, reads them all at once.
    plan.multiple = config.multiplexerMode() != kAddressedMode;
    std::array<bool, kInstrumentCount> checked {};
    for (int i = 0; i < kInstrumentCount; ++i) {
        const int instrument = i + 1;
        if (plan.multiple) {
            checked[std::size_t(i)] = config.instrumentChecked(instrument);
        } else {
            const QString count = config.instrumentCount(instrument);
            plan.addressed[i] = !count.isEmpty();
            if (plan.addressed[i])
                plan.counts[i] = common::toInteger(count);
        }
    }
    plan.mask = muxlink::inputMask(checked);
    return plan;
}

} // namespace acquisition
