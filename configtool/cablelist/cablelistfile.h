#pragma once

#include <QString>
#include <QStringList>

namespace configtool {

// The records of the cable list, in file order: every line longer than 25
// characters (CR LF or LF line ends), up to the first empty line, which ends the
// list like the end of the file. The file is read at each call and closed again.
// A missing file throws common::UserError::fileNotFound(); one that cannot be read
// throws UserError::cannotOpen(path).
QStringList readCableRecords(const QString &path);

} // namespace configtool
