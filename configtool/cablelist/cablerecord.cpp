#include "configtool/cablelist/cablerecord.h"

#include "common/integertext.h"
#include "common/usererror.h"

namespace configtool {

CableFamily familyOf(const QString &record)
{
    if (record.startsWith(QLatin1String("50")))
        return CableFamily::Programmable;
    if (!record.startsWith(QLatin1String("51")))
        return CableFamily::Other;
    return record.size() > 2 && record.at(2) == u'9' ? CableFamily::Analog : CableFamily::Rs232;
}

bool recordMatches(const QString &record, const QString &chosen, MatchRule rule)
{
    const int length = rule == MatchRule::Reference ? ReferenceLength : LabelLength;
    if (chosen.size() < length)
        return false;
    return QStringView(record).left(length) == QStringView(chosen).left(length);
}

QStringList lastFields(const QString &record, int count)
{
    const QStringList parts = record.split(u';');
    const qsizetype available = parts.size() - 1;
    QStringList fields;
    for (qsizetype i = available; i < count; ++i)
        fields.append(QString());
    const qsizetype taken = qMin<qsizetype>(available, count);
    fields.append(parts.mid(parts.size() - taken));
    return fields;
}

Rs232Record parseRs232Record(const QString &record)
{
    const QStringList f = lastFields(record, Rs232FieldCount);
    Rs232Record r{f[0], f[1], f[2], f[3], f[4], f[5], f[6], {}};
    // Field 7 is not used by any form.
    for (int i = 0; i < 8; ++i)
        r.interrogation[i] = f[8 + i];
    return r;
}

AnalogRecord parseAnalogRecord(const QString &record)
{
    const QStringList f = lastFields(record, AnalogFieldCount);
    AnalogRecord r;
    for (int i = 0; i < 4; ++i) {
        r.minBytes[i] = f[i];
        r.maxBytes[i] = f[4 + i];
    }
    r.decimals = f[8];
    return r;
}

int referenceNumberOf(const QString &label)
{
    return common::toInteger(label.left(ReferenceLength));
}

} // namespace configtool
