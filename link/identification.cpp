#include "link/identification.h"

namespace muxlink {

namespace {
QString characterAt(const QByteArray &line, int position)
{
    return position <= line.size() ? QString(QLatin1Char(line.at(position - 1))) : QString();
}
} // namespace

Identification parseIdentification(const QByteArray &printableLine)
{
    Identification id;
    const QString family = characterAt(printableLine, 1);
    id.model = characterAt(printableLine, 2);
    id.version = characterAt(printableLine, 12);
    if (id.model == QLatin1String("X")) {
        id.model = family;
        id.recognised = true;
    } else if (family == QLatin1String("M") || family == QLatin1String("B")) {
        id.recognised = true;
    }
    return id;
}

} // namespace muxlink
