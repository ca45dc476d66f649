#pragma once

#include <QString>
#include <QStringList>

namespace common {

// The lines of a text ended by CR LF, CR or LF, without their ends; a last
// line without an end still counts, an end at the very end adds no empty line.
QStringList splitLines(const QString &text);

} // namespace common
