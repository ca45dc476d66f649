#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace http {

// Bounds on what one response may hold in memory.
struct ResponseLimits {
    qint64 maxHeaderBytes = 64 * 1024;
    qint64 maxBodyBytes = 16 * 1024 * 1024;
};

// Reads one HTTP/1.x response as its bytes arrive, in any slicing. The body is
// delimited by Content-Length, by chunked transfer encoding or by the end of the
// connection (finish()). Memory is bounded by the limits.
class ResponseParser {
public:
    enum class Error { None, Malformed, HeaderTooLarge, BodyTooLarge, Truncated };

    explicit ResponseParser(ResponseLimits limits = {});

    void feed(QByteArrayView data);
    // The peer closed the connection: ends a body delimited by the close, and
    // fails any response still incomplete.
    void finish();

    bool isComplete() const { return m_state == State::Done; }
    bool hasFailed() const { return m_state == State::Failed; }
    Error error() const { return m_error; }

    // Status line and code are known once the header block of the final
    // (non-1xx) response has been read.
    bool headersComplete() const { return m_headersComplete; }
    int statusCode() const { return m_statusCode; }
    const QByteArray &statusLine() const { return m_statusLine; }

    const QByteArray &body() const { return m_body; }
    qint64 bodyReceived() const { return m_body.size(); }
    // Content-Length, or -1 when the length is not announced.
    qint64 expectedBodySize() const { return m_expected; }
    // Neither a length nor chunked coding: only the close ends the body, so a
    // transfer cut short looks complete.
    bool bodyEndsAtClose() const { return m_bodyEndsAtClose; }

private:
    enum class State { StatusLine, Headers, FixedBody, BodyUntilClose, ChunkSize, ChunkData, ChunkEnd, Trailers, Done, Failed };

    bool takeLine(QByteArray &line, qint64 maxLength, Error tooLong);
    bool parseStatusLine(const QByteArray &line);
    bool parseHeader(const QByteArray &line);
    void startBody();
    bool appendBody(QByteArrayView data);
    bool step();
    void fail(Error error);

    ResponseLimits m_limits;
    State m_state = State::StatusLine;
    Error m_error = Error::None;
    QByteArray m_pending;
    qsizetype m_pos = 0; // start of the bytes not parsed yet
    qint64 m_headerBytes = 0;
    QByteArray m_statusLine;
    int m_statusCode = 0;
    bool m_headersComplete = false;
    qint64 m_announcedLength = -1;
    bool m_transferEncoded = false;
    bool m_chunked = false;
    qint64 m_expected = -1;
    qint64 m_chunkLeft = 0;
    bool m_bodyEndsAtClose = false;
    QByteArray m_body;
};

} // namespace http
