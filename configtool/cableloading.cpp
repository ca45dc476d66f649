#include "configtool/cableloading.h"

#include "common/integertext.h"
#include "common/usererror.h"
#include "configtool/analogvalue.h"
#include "configtool/bytetext.h"

namespace configtool {

namespace {

float valueOf(const std::array<QString, 4> &byteTexts)
{
    FloatBytes bytes;
    for (int i = 0; i < 4; ++i)
        bytes[i] = char2int(byteTexts[i]);
    return floatFromBytes(bytes);
}

} // namespace

void loadRs232Record(const Rs232Record &record, Rs232RecordTarget &target)
{
    target.setSpeed(record.speed);
    target.setDataBits(common::toInteger(record.dataBits));
    target.setParity(record.parity);
    target.setEndOfFrame(record.endOfFrame);
    target.setUnit(record.unit);
    target.setOffset(common::toInteger(record.offset));
    target.setSupply(record.supply);
    for (int i = 0; i < 8; ++i)
        target.setInterrogation(i, record.interrogation[i]);
}

void loadAnalogRecord(const AnalogRecord &record, AnalogRecordTarget &target)
{
    target.setMinimum(valueOf(record.minBytes));
    target.setMaximum(valueOf(record.maxBytes));
    target.setDecimals(common::toInteger(record.decimals));
}

} // namespace configtool
