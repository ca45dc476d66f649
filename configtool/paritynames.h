#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace configtool {

// The parity a text names, 0 none, 1 even, 2 odd: one of the parity list's
// entries as the language captions them, or the name the cable list stores
// ("SANS", "PAIRE", "IMPAIRE"), whatever the case. A cable record keeps its
// French name in every language. An empty text names none.
std::optional<int> parityOf(const QString &text, const QStringList &entries);

} // namespace configtool
