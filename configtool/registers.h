#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace configtool {

// The eighteen header registers "A" .. "R", index = code - 'A'.
inline constexpr int HeaderRegisterCount = 18;
inline constexpr int FirstHeaderCode = 0x41;
inline constexpr int FirstGridCode = 0x59;
inline constexpr int GridRows = 10;
inline constexpr int GridColumns = 8; // columns 1 .. 8 of the grid
inline constexpr int UnusedByte = 255;
inline constexpr int GridTByte = 254;

using HeaderValues = std::array<int, HeaderRegisterCount>;

// Texts of the RS232 page, as the controls hold them.
struct Rs232PageSettings {
    QString speed;
    int dataBits = 8;
    QString parity;
    QStringList parityNames; // the parity list's entries 0, 1, 2 as currently captioned
    QString endOfFrame;
    QString unit;
    int offset = 1;
    std::array<QString, 8> interrogation;
    int reference = 0;
};

// Speed register: "19200" 9, "9600" 1, "4800" 2, "2400" 4, "1200" 8, else 255.
int speedCode(const QString &speed);
// Parity register: 'S', 'P' or 'I' for the parity the text names (see parityOf), else 255.
int parityCode(const QString &parity, const QStringList &parityNames);
// Unit register: "MM" 1, "INCH" 2, "" 9, else 255.
int unitCode(const QString &unit);
// Interrogation character: only a complete three-character text is programmed.
int interrogationCode(const QString &text);

// Reference number registers Q (low byte) and R (high byte).
void setReferenceRegisters(HeaderValues &values, int reference);

// Header registers to program from the RS232 page; empty when the end-of-frame
// text has fewer than three characters (nothing may then be sent).
std::optional<HeaderValues> rs232HeaderValues(const Rs232PageSettings &settings);

// Header registers to program on the analog page.
HeaderValues analogHeaderValues(float minimum, float maximum, int decimals, int reference);

// Texts shown from read registers; empty optionals leave the control as it was.
std::optional<QString> speedText(int value);
std::optional<int> parityIndex(int value); // position in the parity list
std::optional<QString> unitText(int value);
QString interrogationText(int value); // "" for 255, else "$" and two hex digits
QString gridCellText(int value);      // also "T" for 254

int referenceFromRegisters(const HeaderValues &values); // R * 256 + Q
float analogMinimum(const HeaderValues &values);        // from A .. D
float analogMaximum(const HeaderValues &values);        // from E .. H

// Grid registers: row 0 .. 9, column 1 .. 8.
int gridRegisterCode(int row, int column);
int gridCellValue(const QString &text); // "T" 254, else char2int

// Number shown after a verification failure: 1 .. 18 for a header register,
// 113 .. 192 for a grid register.
int registerFailureNumber(int code);

} // namespace configtool
