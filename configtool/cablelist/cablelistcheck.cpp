#include "configtool/cablelist/cablelistcheck.h"

#include "common/integertext.h"
#include "common/textcodec.h"
#include "common/usererror.h"
#include "configtool/cablelist/cablerecord.h"

namespace configtool {

bool isWellFormedRecord(const QString &line)
{
    if (line.size() <= LabelLength)
        return false;
    const bool analog = familyOf(line) == CableFamily::Analog;
    // Missing fields would be read as empty ones, shifted onto the wrong controls.
    if (line.count(u';') < (analog ? AnalogFieldCount : Rs232FieldCount))
        return false;
    try {
        referenceNumberOf(line);
        if (analog) {
            common::toInteger(parseAnalogRecord(line).decimals);
        } else {
            const Rs232Record record = parseRs232Record(line);
            common::toInteger(record.dataBits);
            common::toInteger(record.offset);
        }
    } catch (const common::UserError &) {
        return false;
    }
    return true;
}

bool isWholeCableList(const QByteArray &bytes)
{
    if (!bytes.endsWith('\n'))
        return false;
    const QString text = common::decodeText(bytes);
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringView line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty() && !isWellFormedRecord(line.toString()))
            return false;
    }
    return true;
}

} // namespace configtool
