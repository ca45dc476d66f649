#include "configtool/registers.h"

#include "configtool/analogvalue.h"
#include "configtool/bytetext.h"
#include "configtool/paritynames.h"

namespace configtool {

namespace {

constexpr int index(char code) { return code - FirstHeaderCode; }

struct SpeedEntry {
    const char *text;
    int code;
};
constexpr SpeedEntry speeds[] = {{"19200", 9}, {"9600", 1}, {"4800", 2}, {"2400", 4}, {"1200", 8}};

constexpr char parityLetters[] = {'S', 'P', 'I'};

float floatAt(const HeaderValues &values, int first)
{
    return floatFromBytes({values[first], values[first + 1], values[first + 2], values[first + 3]});
}

void putFloat(HeaderValues &values, int first, float value)
{
    const FloatBytes bytes = floatToBytes(value);
    for (int i = 0; i < 4; ++i)
        values[first + i] = bytes[i];
}

} // namespace

int speedCode(const QString &speed)
{
    for (const SpeedEntry &entry : speeds)
        if (speed == QLatin1String(entry.text))
            return entry.code;
    return UnusedByte;
}

int parityCode(const QString &parity, const QStringList &parityNames)
{
    const std::optional<int> index = parityOf(parity, parityNames);
    return index ? parityLetters[*index] : UnusedByte;
}

int unitCode(const QString &unit)
{
    if (unit == QLatin1String("MM"))
        return 1;
    if (unit == QLatin1String("INCH"))
        return 2;
    if (unit.isEmpty())
        return 9;
    return UnusedByte;
}

int interrogationCode(const QString &text)
{
    return text.size() == 3 ? char2int(text) : UnusedByte;
}

void setReferenceRegisters(HeaderValues &values, int reference)
{
    values[index('Q')] = reference % 256;
    values[index('R')] = reference / 256;
}

std::optional<HeaderValues> rs232HeaderValues(const Rs232PageSettings &settings)
{
    if (settings.endOfFrame.size() < 3)
        return std::nullopt;
    HeaderValues values;
    values.fill(UnusedByte);
    values[index('A')] = speedCode(settings.speed);
    values[index('B')] = settings.dataBits;
    values[index('C')] = parityCode(settings.parity, settings.parityNames);
    values[index('D')] = char2int(settings.endOfFrame);
    values[index('E')] = unitCode(settings.unit);
    values[index('F')] = settings.offset;
    for (int i = 0; i < 8; ++i)
        values[index('I') + i] = interrogationCode(settings.interrogation[i]);
    setReferenceRegisters(values, settings.reference);
    return values;
}

HeaderValues analogHeaderValues(float minimum, float maximum, int decimals, int reference)
{
    HeaderValues values;
    values.fill(UnusedByte);
    putFloat(values, index('A'), minimum);
    putFloat(values, index('E'), maximum);
    values[index('I')] = decimals;
    setReferenceRegisters(values, reference);
    return values;
}

std::optional<QString> speedText(int value)
{
    for (const SpeedEntry &entry : speeds)
        if (value == entry.code)
            return QString::fromLatin1(entry.text);
    return std::nullopt;
}

std::optional<int> parityIndex(int value)
{
    for (int i = 0; i < 3; ++i)
        if (value == parityLetters[i])
            return i;
    return std::nullopt;
}

std::optional<QString> unitText(int value)
{
    switch (value) {
    case 1: return QStringLiteral("MM");
    case 2: return QStringLiteral("INCH");
    case 9: return QString();
    default: return std::nullopt;
    }
}

QString interrogationText(int value)
{
    return value == UnusedByte ? QString() : byteText(value);
}

QString gridCellText(int value)
{
    return value == GridTByte ? QStringLiteral("T") : interrogationText(value);
}

int referenceFromRegisters(const HeaderValues &values)
{
    return values[index('R')] * 256 + values[index('Q')];
}

float analogMinimum(const HeaderValues &values) { return floatAt(values, index('A')); }

float analogMaximum(const HeaderValues &values) { return floatAt(values, index('E')); }

int gridRegisterCode(int row, int column) { return FirstGridCode + 8 * row + (column - 1); }

int gridCellValue(const QString &text)
{
    return text == QLatin1String("T") ? GridTByte : char2int(text);
}

int registerFailureNumber(int code)
{
    return code < FirstGridCode ? code - 64 : code + 24;
}

} // namespace configtool
