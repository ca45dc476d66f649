#include "configtool/cablelist/cablelistdate.h"

#include "common/filereading.h"
#include "common/textcodec.h"
#include "common/usererror.h"

#include <QLocale>

namespace configtool {

namespace {

constexpr int maxAgeDays = 30;
// A date line is short; a huge first line must not be read whole.
constexpr qint64 maxDateLineBytes = 4095;

// The decimal value of `count` ASCII digits at `from`, or -1.
int decimalAt(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

QString firstLineOf(const QByteArray &bytes)
{
    qsizetype end = 0;
    while (end < bytes.size() && bytes.at(end) != '\r' && bytes.at(end) != '\n')
        ++end;
    return common::decodeText(bytes.left(end));
}

QDate cableListDate(const QString &firstLine)
{
    if (firstLine.size() < 10)
        return {};
    const int day = decimalAt(firstLine, 0, 2);
    const int month = decimalAt(firstLine, 3, 2);
    const int year = decimalAt(firstLine, 6, 4);
    if (day < 0 || month < 0 || year < 0)
        return {};
    return QDate(year, month, day); // invalid for a day or month out of range
}

QString readFirstLine(const QString &path)
{
    return firstLineOf(common::readFileStart(path, maxDateLineBytes));
}

QDate cableListDateOfFile(const QString &path)
{
    try {
        return cableListDate(readFirstLine(path));
    } catch (const common::UserError &) {
        return {};
    }
}

QDate chosenListDate(const QString &firstLine)
{
    const QDate positional = cableListDate(firstLine);
    if (positional.isValid())
        return positional;
    return QLocale::system().toDate(firstLine.trimmed(), QLocale::ShortFormat);
}

bool isCableListOutdated(const QDate &listDate, const QDate &today)
{
    return !listDate.isValid() || listDate.daysTo(today) > maxAgeDays;
}

} // namespace configtool
