#pragma once

#include <QString>

namespace acquisition {

// One value as the cycle takes it.
struct JournalReading {
    int batch = 0;      // from 1 in batch measurement; 0 otherwise
    int series = 0;     // from 1
    int instrument = 0; // 1..8
    QString line;       // the reading line as collected
    QString value;      // what is typed
    bool operator==(const JournalReading &) const = default;
};

// Where the cycle notes every value it types, in order.
class ReadingJournal {
public:
    virtual ~ReadingJournal() = default;
    virtual void record(const JournalReading &reading) = 0;
    // A series has ended, or the cycle has: nothing is held open meanwhile.
    virtual void closeSeries() {}
};

} // namespace acquisition
