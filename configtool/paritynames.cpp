#include "configtool/paritynames.h"

namespace configtool {

namespace {

std::optional<int> indexIn(const QString &text, const QStringList &names)
{
    for (int i = 0; i < 3 && i < names.size(); ++i)
        if (text.compare(names.at(i), Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

} // namespace

std::optional<int> parityOf(const QString &text, const QStringList &entries)
{
    if (text.isEmpty())
        return std::nullopt;
    if (const auto entry = indexIn(text, entries))
        return entry;
    return indexIn(text, {QStringLiteral("SANS"), QStringLiteral("PAIRE"), QStringLiteral("IMPAIRE")});
}

} // namespace configtool
