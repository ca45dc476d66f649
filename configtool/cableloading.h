#pragma once

#include "configtool/cablelist/cablerecord.h"

namespace configtool {

// The controls a chosen RS232 record is loaded into.
class Rs232RecordTarget {
public:
    virtual ~Rs232RecordTarget() = default;
    virtual void setSpeed(const QString &speed) = 0;
    virtual void setDataBits(int bits) = 0;
    virtual void setParity(const QString &parity) = 0;
    virtual void setEndOfFrame(const QString &byteText) = 0;
    virtual void setUnit(const QString &unit) = 0;
    virtual void setOffset(int offset) = 0;
    virtual void setSupply(const QString &) {} // only the programmable cable has one
    virtual void setInterrogation(int index, const QString &byteText) = 0; // index 0 .. 7
};

// The controls a chosen analog record is loaded into.
class AnalogRecordTarget {
public:
    virtual ~AnalogRecordTarget() = default;
    virtual void setMinimum(float value) = 0;
    virtual void setMaximum(float value) = 0;
    virtual void setDecimals(int decimals) = 0;
};

// Loads the fields in file order. A numeric field that is not an integer throws
// common::UserError::notAnInteger there; the controls set before it keep their
// new contents. An empty record (no match) therefore empties the speed, or shows
// the unset values (not a number), and then fails on its empty integer field.
void loadRs232Record(const Rs232Record &record, Rs232RecordTarget &target);
void loadAnalogRecord(const AnalogRecord &record, AnalogRecordTarget &target);

} // namespace configtool
