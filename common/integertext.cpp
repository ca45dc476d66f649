#include "common/integertext.h"

#include "common/usererror.h"

#include <limits>

namespace common {

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = 99;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

int toInteger(const QString &text)
{
    // Leading blanks pass, as the runtime's reader lets them: hand-edited files have them.
    qsizetype at = 0;
    while (at < text.size() && text.at(at) == u' ')
        ++at;
    const bool negative = text.mid(at, 1) == u"-";
    if (negative || text.mid(at, 1) == u"+")
        ++at;
    int base = 10;
    if (text.mid(at, 1) == u"$") {
        base = 16;
        ++at;
    } else if (text.mid(at, 2).compare(u"0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        at += 2;
    }
    // One past the largest magnitude so that the most negative int is accepted.
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    if (at == text.size())
        throw UserError::notAnInteger(text);
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text.at(at), base);
        if (digit < 0)
            throw UserError::notAnInteger(text);
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            throw UserError::notAnInteger(text);
    }
    return int(negative ? -magnitude : magnitude);
}

} // namespace common
