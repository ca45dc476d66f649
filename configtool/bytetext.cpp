#include "configtool/bytetext.h"

#include "common/textcodec.h"

namespace configtool {

namespace {

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 10;
    return 0;
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

QString filterByteText(const QString &text, bool allowT)
{
    if (text.isEmpty())
        return text;
    const QChar first = text.at(0);
    if (first != u'$' && !(allowT && first == u'T'))
        return QString();
    if (text.size() > 1 && !isHexDigit(text.at(1)))
        return QString();
    if (text.size() > 2 && !isHexDigit(text.at(2)))
        return QString();
    return text.left(3);
}

} // namespace

int char2int(const QString &text)
{
    // The code the character has in the cable's single-byte character set.
    if (text.size() == 1) {
        const QByteArray byte = common::encodeWindows1252(text);
        return byte.isEmpty() ? int('?') : static_cast<unsigned char>(byte.at(0));
    }
    if (text.size() != 3)
        return 255;
    if (text.at(0) != u'$')
        return 0;
    return 16 * digitValue(text.at(1)) + digitValue(text.at(2));
}

QString byteText(int value)
{
    return QStringLiteral("$%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString filterHexText(const QString &text) { return filterByteText(text, false); }

QString filterGridCellText(const QString &text) { return filterByteText(text, true); }

} // namespace configtool
