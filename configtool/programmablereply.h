#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace configtool {

// How the cable writes a stored character in its reply: "{" for CR ("$0D"), "}"
// for LF ("$0A"), "|" for no character (""), any other byte as itself ("$" and
// two upper-case hexadecimal digits).
QString decodeReplyCharacter(int byte);

// The reply to "@*E?": four lines whose settings sit at fixed offsets (offset 0
// being the first byte received). A two-digit offset setting moves every later
// field by one. A position past the end of a short reply holds no character and
// so matches nothing.
class ConfigurationReply {
public:
    explicit ConfigurationReply(QByteArray bytes = {});

    const QByteArray &bytes() const { return m_bytes; }
    // Anything up to 30 bytes is no reply at all.
    bool longEnough() const { return m_bytes.size() > 30; }

    QString unit() const;                   // the four characters at 3..6
    QString interrogation(int index) const; // decoded character 13 + index, index 0..7

    struct OffsetField {
        QString digits;     // one or two decimal digits, as received
        QString endOfFrame; // decoded
    };
    // Empty when neither 26 nor 27 holds the "/".
    std::optional<OffsetField> offsetField() const;

    bool hasSpeed() const;                 // "RS" where the speed field starts
    std::optional<QString> speed() const;  // the speed named by its first two digits
    std::optional<QString> dataBitsDigit() const; // empty without its "/"
    bool hasParity() const;
    std::optional<int> parityIndex() const; // "SP" 0, "PP" 1, "PI" 2
    bool hasSupply() const;
    std::optional<QString> supply() const;  // "12v" for "1", "5v" for "5"

private:
    char at(int offset) const;
    QString text(int offset, int length) const;
    int k() const; // 22, or 23 after a two-digit offset

    QByteArray m_bytes;
};

} // namespace configtool
