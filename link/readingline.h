#pragma once

#include <QByteArray>
#include <QString>

namespace muxlink {

// Longest line kept; the rest of a longer line is read and dropped, so a
// device that never sends a line feed cannot exhaust memory.
constexpr int kMaxLineLength = 4096;

// Collects a reading line: nothing before the first 'V', then the bytes from
// 0x20 to 0x7E; a line feed ends the line, also one before any 'V'.
class ReadingLineCollector {
public:
    // Returns true when the byte ended the line.
    bool feed(int byte);
    const QByteArray &line() const { return m_line; }
    void reset();

private:
    QByteArray m_line;
    bool m_started = false;
};

// The measured value of a reading line: the whole line when it has 8
// characters or fewer, else its characters 14 to 26 (as far as it has them).
QString extractValue(const QString &line);

// Collects an identification or "@*AT" line: the bytes from 0x20 to 0x7E.
class PrintableLineCollector {
public:
    bool feed(int byte);
    const QByteArray &line() const { return m_line; }

private:
    QByteArray m_line;
};

} // namespace muxlink
