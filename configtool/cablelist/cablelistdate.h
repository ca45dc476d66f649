#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace configtool {

// The first line of a cable list's bytes, without its line end.
QString firstLineOf(const QByteArray &bytes);

// The first line of a cable list file, at most its first 4095 bytes. Throws
// common::UserError::cannotOpen when the file cannot be read.
QString readFirstLine(const QString &path);

// The date of a cable list's first line: characters 1-2 the day, 4-5 the month,
// 7-10 the year, whatever the separators. Invalid when the line is no such date.
QDate cableListDate(const QString &firstLine);

// The date line of the cable list file; invalid when the file cannot be read or
// its first line is no date.
QDate cableListDateOfFile(const QString &path);

// The date of a list picked on disk: the positional form above (how lists are
// written, and how the tool reads them at start-up), else the system's short
// date format. Invalid when neither reads.
QDate chosenListDate(const QString &firstLine);

// True when today is more than 30 days after the list's date; a list without a
// date counts as older than any.
bool isCableListOutdated(const QDate &listDate, const QDate &today);

} // namespace configtool
