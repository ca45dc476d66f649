#pragma once

#include <QByteArray>
#include <QString>

// The program's end of the simulated line: a raw terminal opened on the link.
class RawPort {
public:
    explicit RawPort(const QString &path);
    ~RawPort();
    RawPort(const RawPort &) = delete;
    RawPort &operator=(const RawPort &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool write(const QByteArray &bytes);

    // Bytes up to and including the first `end` byte, waiting at most `ms`;
    // what arrived is returned even when `end` did not.
    QByteArray readUntil(char end, int ms);
    QByteArray readLine(int ms) { return readUntil('\n', ms); }

    // Bytes already waiting, without waiting.
    QByteArray readWaiting();

    // Whether the device reports itself gone (hang-up, EIO or end of file) within `ms`.
    bool waitGone(int ms);

private:
    enum class Fill { Data, Timeout, Gone };
    Fill fill(int ms);

    int m_fd = -1;
    QByteArray m_buffer;
};
