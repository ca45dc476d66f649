#pragma once

#include "acquisition/keysink.h"
#include "tests/support/memoryconfiguration.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace testsupport {

// The program's own cycle, pace and queue typing readings from the simulator
// into the focused window through a real key output, until `values` were
// taken and typed: when each was taken (its line feed read) and when its last
// key went out, in ns of one clock.
struct TypingRun {
    QStringList values;
    QList<qint64> takenNs;
    QList<qint64> lastKeyNs;
    QStringList errors;
};

// The layout the spreadsheet tests type: instruments 1 and 2, five readings
// each down a column, each series one column right of the one before.
void readTwoInstrumentsDownColumns(acquisition::MemoryConfiguration &config);

TypingRun runTyping(const QString &linkPath, acquisition::KeySink &keys, int values,
                    const std::function<void(acquisition::MemoryConfiguration &)> &configure);

} // namespace testsupport
