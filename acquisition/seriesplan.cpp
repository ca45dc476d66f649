#include "acquisition/seriesplan.h"

#include "acquisition/configvalues.h"
#include "common/integertext.h"

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
    for (int i = 0; i < kInstrumentCount; ++i) {
        const int instrument = i + 1;
        if (plan.multiple) {
            if (config.instrumentChecked(instrument))
                plan.mask |= quint8(1u << i);
        } else {
            const QString count = config.instrumentCount(instrument);
            plan.addressed[i] = !count.isEmpty();
            if (plan.addressed[i])
                plan.counts[i] = common::toInteger(count);
        }
    }
    return plan;
}

} // namespace acquisition
