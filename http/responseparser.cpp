#include "http/responseparser.h"

#include <QList>

#include <algorithm>

namespace http {

namespace {

constexpr qint64 maxChunkSizeLine = 1024;

bool isDigits(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isHexDigits(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

} // namespace

ResponseParser::ResponseParser(ResponseLimits limits) : m_limits(limits) {}

void ResponseParser::feed(QByteArrayView data)
{
    if (m_state == State::Done || m_state == State::Failed)
        return;
    m_pending.append(data);
    while (step()) {
    }
    // Consumed bytes are dropped once per feed, not per line or chunk.
    m_pending.remove(0, m_pos);
    m_pos = 0;
}

void ResponseParser::finish()
{
    if (m_state == State::BodyUntilClose)
        m_state = State::Done;
    else if (m_state != State::Done && m_state != State::Failed)
        fail(Error::Truncated);
}

void ResponseParser::fail(Error error)
{
    m_state = State::Failed;
    m_error = error;
    m_pending.clear();
    m_pos = 0;
}

bool ResponseParser::takeLine(QByteArray &line, qint64 maxLength, Error tooLong)
{
    const qsizetype end = m_pending.indexOf('\n', m_pos);
    const qint64 available = (end < 0 ? m_pending.size() : end + 1) - m_pos;
    if (available > maxLength) {
        fail(tooLong);
        return false;
    }
    if (end < 0)
        return false;
    line = m_pending.mid(m_pos, end - m_pos);
    if (line.endsWith('\r'))
        line.chop(1);
    m_pos = end + 1;
    return true;
}

bool ResponseParser::parseStatusLine(const QByteArray &line)
{
    // HTTP/1.x SSS[ reason]
    if (!line.startsWith("HTTP/"))
        return false;
    const qsizetype space = line.indexOf(' ');
    if (space < 0)
        return false;
    const QByteArrayView code = QByteArrayView(line).sliced(space + 1).first(std::min<qsizetype>(3, line.size() - space - 1));
    if (code.size() != 3 || !isDigits(code))
        return false;
    if (line.size() > space + 4 && line.at(space + 4) != ' ')
        return false;
    m_statusCode = code.toInt();
    m_statusLine = line;
    return true;
}

bool ResponseParser::parseHeader(const QByteArray &line)
{
    if (line.startsWith(' ') || line.startsWith('\t'))
        return true; // folded continuation of a header we do not need
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") {
        if (!isDigits(value) || value.size() > 15)
            return false;
        const qint64 length = value.toLongLong();
        if (m_announcedLength >= 0 && m_announcedLength != length)
            return false;
        m_announcedLength = length;
    } else if (name == "transfer-encoding") {
        // Only the chunked framing is undone here: any other coding (never
        // asked for) would leave the body encoded.
        for (const QByteArray &item : value.split(',')) {
            const QByteArray coding = item.trimmed().toLower();
            if (coding.isEmpty() || coding == "identity")
                continue;
            if (coding != "chunked" || m_chunked)
                return false;
            m_chunked = true;
        }
        m_transferEncoded = true;
    }
    return true;
}

void ResponseParser::startBody()
{
    m_headersComplete = true;
    if (m_statusCode == 204 || m_statusCode == 304) {
        m_state = State::Done;
    } else if (m_transferEncoded) {
        // Transfer coding overrides any Content-Length.
        m_state = m_chunked ? State::ChunkSize : State::BodyUntilClose;
    } else if (m_announcedLength < 0) {
        m_state = State::BodyUntilClose;
    } else if (m_announcedLength > m_limits.maxBodyBytes) {
        fail(Error::BodyTooLarge);
    } else {
        m_expected = m_announcedLength;
        m_body.reserve(m_expected);
        m_state = m_expected == 0 ? State::Done : State::FixedBody;
    }
    m_bodyEndsAtClose = m_state == State::BodyUntilClose;
}

bool ResponseParser::appendBody(QByteArrayView data)
{
    if (m_body.size() + data.size() > m_limits.maxBodyBytes) {
        fail(Error::BodyTooLarge);
        return false;
    }
    m_body.append(data);
    m_pos += data.size();
    return true;
}

// Parses one element (a line or a run of body bytes); false when more bytes
// are needed or the response has ended.
bool ResponseParser::step()
{
    const QByteArrayView rest = QByteArrayView(m_pending).sliced(m_pos);
    QByteArray line;
    switch (m_state) {
    case State::StatusLine:
    case State::Headers:
    case State::Trailers: {
        const qsizetype before = m_pos;
        if (!takeLine(line, m_limits.maxHeaderBytes - m_headerBytes, Error::HeaderTooLarge))
            return false;
        m_headerBytes += m_pos - before;
        if (m_state == State::StatusLine) {
            if (line.isEmpty())
                return true; // stray blank line before the response
            if (!parseStatusLine(line)) {
                fail(Error::Malformed);
                return false;
            }
            m_state = State::Headers;
        } else if (m_state == State::Trailers) {
            if (line.isEmpty())
                m_state = State::Done;
        } else if (!line.isEmpty()) {
            if (!parseHeader(line)) {
                fail(Error::Malformed);
                return false;
            }
        } else if (m_statusCode / 100 == 1) {
            // Interim response: the real one follows.
            m_announcedLength = -1;
            m_transferEncoded = m_chunked = false;
            m_state = State::StatusLine;
        } else {
            startBody();
        }
        return m_state != State::Done && m_state != State::Failed;
    }
    case State::FixedBody:
        if (rest.isEmpty())
            return false;
        if (!appendBody(rest.first(std::min<qint64>(rest.size(), m_expected - m_body.size()))))
            return false;
        if (m_body.size() == m_expected)
            m_state = State::Done; // bytes beyond the announced length are ignored
        return false;
    case State::BodyUntilClose:
        appendBody(rest);
        return false;
    case State::ChunkSize: {
        if (!takeLine(line, maxChunkSizeLine, Error::Malformed))
            return false;
        const qsizetype extension = line.indexOf(';');
        const QByteArray size = (extension < 0 ? line : line.left(extension)).trimmed();
        if (!isHexDigits(size) || size.size() > 15) {
            fail(Error::Malformed);
            return false;
        }
        m_chunkLeft = size.toLongLong(nullptr, 16);
        if (m_chunkLeft == 0) {
            m_state = State::Trailers;
        } else if (m_body.size() + m_chunkLeft > m_limits.maxBodyBytes) {
            fail(Error::BodyTooLarge);
            return false;
        } else {
            m_state = State::ChunkData;
        }
        return true;
    }
    case State::ChunkData: {
        if (rest.isEmpty())
            return false;
        const qint64 count = std::min<qint64>(rest.size(), m_chunkLeft);
        if (!appendBody(rest.first(count)))
            return false;
        m_chunkLeft -= count;
        if (m_chunkLeft == 0)
            m_state = State::ChunkEnd;
        return true;
    }
    case State::ChunkEnd:
        if (!takeLine(line, 2, Error::Malformed))
            return false;
        if (!line.isEmpty()) {
            fail(Error::Malformed);
            return false;
        }
        m_state = State::ChunkSize;
        return true;
    case State::Done:
    case State::Failed:
        return false;
    }
    return false;
}

} // namespace http
