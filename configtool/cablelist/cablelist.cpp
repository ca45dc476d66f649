#include "configtool/cablelist/cablelist.h"

#include "configtool/cablelist/cablelistfile.h"

#include <algorithm>

namespace configtool {

CableList::CableList(QString path) : m_path(std::move(path)) {}

RegisterCableLists CableList::registerCableLists() const
{
    RegisterCableLists lists;
    for (const QString &record : readCableRecords(m_path)) {
        const CableFamily family = familyOf(record);
        if (family == CableFamily::Analog)
            lists.analog.append(record.left(LabelLength));
        else if (family == CableFamily::Rs232)
            lists.rs232.append(record.left(LabelLength));
    }
    return lists;
}

QStringList CableList::programmableCableList() const
{
    QStringList labels;
    for (const QString &record : readCableRecords(m_path))
        if (familyOf(record) == CableFamily::Programmable)
            labels.append(record.left(LabelLength));
    std::stable_sort(labels.begin(), labels.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return labels;
}

QString CableList::findRecord(const QString &chosen, MatchRule rule) const
{
    for (const QString &record : readCableRecords(m_path))
        if (recordMatches(record, chosen, rule))
            return record;
    return QString();
}

Rs232Record CableList::findRs232Record(const QString &chosen, MatchRule rule) const
{
    const QString record = findRecord(chosen, rule);
    return record.isEmpty() ? Rs232Record{} : parseRs232Record(record);
}

AnalogRecord CableList::findAnalogRecord(const QString &chosen) const
{
    const QString record = findRecord(chosen, MatchRule::Reference);
    return record.isEmpty() ? AnalogRecord{} : parseAnalogRecord(record);
}

QString CableList::cableNameForReference(int reference) const
{
    const QString number = QString::number(reference);
    const QString record = findRecord(number, MatchRule::Reference);
    return record.isEmpty() ? number : record;
}

QString findCableReference(const QString &text)
{
    const qsizetype at = text.indexOf(QLatin1String("50"));
    return at < 0 ? QStringLiteral("00000") : text.mid(at, ReferenceLength);
}

} // namespace configtool
