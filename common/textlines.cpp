#include "common/textlines.h"

namespace common {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, at - start));
        if (c == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

} // namespace common
