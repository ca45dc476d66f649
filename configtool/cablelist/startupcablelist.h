#pragma once

#include <QDate>
#include <QString>

namespace configtool {

// The date line of the cable list read at start-up. Throws
// common::UserError::fileNotFound() when the file is missing, cannotOpen(path)
// when it cannot be read, and notADate(line) when its first line is no date.
QDate readStartupCableListDate(const QString &path);

} // namespace configtool
