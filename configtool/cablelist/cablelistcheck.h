#pragma once

#include <QByteArray>
#include <QString>

namespace configtool {

// A record the cable forms can load without a conversion error: longer than a
// label, a reference number, at least the fields its family is read as (ten
// for analog cables, sixteen for the others) and integers in its numeric fields.
bool isWellFormedRecord(const QString &line);

// A list received without any announced length may have been cut anywhere:
// it is taken as whole only when it ends with a line end and every non-empty
// line after the date line is a well-formed record.
bool isWholeCableList(const QByteArray &bytes);

} // namespace configtool
