#include "link/readingline.h"

namespace muxlink {

namespace {
bool printable(int byte) { return byte >= 0x20 && byte <= 0x7E; }
}

bool ReadingLineCollector::feed(int byte)
{
    if (byte == '\n')
        return true;
    if (!m_started && byte == 'V')
        m_started = true;
    if (m_started && printable(byte) && m_line.size() < kMaxLineLength)
        m_line.append(char(byte));
    return false;
}

void ReadingLineCollector::reset()
{
    m_line.clear();
    m_started = false;
}

QString extractValue(const QString &line)
{
    if (line.size() <= 8)
        return line;
    return line.mid(13, 13);
}

bool PrintableLineCollector::feed(int byte)
{
    if (printable(byte) && m_line.size() < kMaxLineLength)
        m_line.append(char(byte));
    return byte == '\n';
}

} // namespace muxlink
