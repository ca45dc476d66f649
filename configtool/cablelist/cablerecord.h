#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace configtool {

inline constexpr int LabelLength = 25;
inline constexpr int ReferenceLength = 5;
inline constexpr int Rs232FieldCount = 16;
inline constexpr int AnalogFieldCount = 10;

// Which list shows a record, by its reference number.
enum class CableFamily {
    Programmable, // "50"
    Analog,       // "51", third digit "9"
    Rs232,        // "51", programmed through registers
    Other,        // listed nowhere
};
CableFamily familyOf(const QString &record);

// How a list's text picks its record: the reference number (first five
// characters; a shorter text matches nothing) or the whole 25-character label.
enum class MatchRule { Reference, Label };
bool recordMatches(const QString &record, const QString &chosen, MatchRule rule);

// The last `count` ";"-separated fields of a record, in file order. Text before
// the first ";" (the label) is never a field; when the record has fewer fields,
// the missing leading ones are empty.
QStringList lastFields(const QString &record, int count);

// The settings of an RS232 or programmable cable record, as the texts of the file.
struct Rs232Record {
    QString speed;
    QString dataBits;
    QString parity;
    QString endOfFrame;
    QString unit;
    QString offset;
    QString supply;
    std::array<QString, 8> interrogation;
};
Rs232Record parseRs232Record(const QString &record);

// The scaling of an analog cable record: four byte texts per value, least
// significant first, and the number of decimals.
struct AnalogRecord {
    std::array<QString, 4> minBytes;
    std::array<QString, 4> maxBytes;
    QString decimals;
};
AnalogRecord parseAnalogRecord(const QString &record);

// The cable's reference number: the decimal value of a label's first five
// characters; throws common::UserError::notAnInteger when they are no integer.
int referenceNumberOf(const QString &label);

} // namespace configtool
