#pragma once

#include "configtool/cablelist/cablerecord.h"

#include <QString>
#include <QStringList>

namespace configtool {

// The two lists of the register cable form, items in file order.
struct RegisterCableLists {
    QStringList rs232;
    QStringList analog;
};

// The cable list (working directory at start-up + "/cable.txt"). Every call
// reads the file afresh; a missing file throws common::UserError::fileNotFound().
class CableList {
public:
    explicit CableList(QString path);
    const QString &path() const { return m_path; }

    // Labels (first 25 characters) of the "51" records.
    RegisterCableLists registerCableLists() const;
    // Labels of the "50" records, sorted.
    QStringList programmableCableList() const;

    // The first record that the chosen text matches; all fields empty when none.
    Rs232Record findRs232Record(const QString &chosen, MatchRule rule) const;
    AnalogRecord findAnalogRecord(const QString &chosen) const;

    // What names a cable whose reference registers read back `reference`: the
    // whole line of the first record with that reference, else the number itself.
    QString cableNameForReference(int reference) const;

private:
    QString findRecord(const QString &chosen, MatchRule rule) const;

    QString m_path;
};

// The five characters from the first "50" in a cable's identification text
// (fewer when the text ends sooner), or "00000" when it holds no "50".
QString findCableReference(const QString &text);

} // namespace configtool
