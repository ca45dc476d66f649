#include "configtool/programmablereply.h"

#include "configtool/bytetext.h"

#include <QStringDecoder>

namespace configtool {

namespace {

struct SpeedDigits {
    const char *digits;
    const char *speed;
};
constexpr SpeedDigits speedDigits[] = {{"96", "9600"}, {"48", "4800"}, {"24", "2400"}, {"12", "1200"},
                                      {"06", "600"},  {"03", "300"},  {"15", "150"},  {"75", "75"}};

constexpr const char *parityPairs[] = {"SP", "PP", "PI"};

} // namespace

QString decodeReplyCharacter(int byte)
{
    switch (byte) {
    case '{': return byteText('\r');
    case '}': return byteText('\n');
    case '|': return QString();
    default: return byteText(byte);
    }
}

ConfigurationReply::ConfigurationReply(QByteArray bytes) : m_bytes(std::move(bytes)) {}

char ConfigurationReply::at(int offset) const
{
    return offset < m_bytes.size() ? m_bytes.at(offset) : '\0';
}

QString ConfigurationReply::text(int offset, int length) const
{
    QStringDecoder ansi("windows-1252");
    return ansi.decode(m_bytes.mid(offset, length));
}

int ConfigurationReply::k() const { return at(27) == '/' ? 23 : 22; }

QString ConfigurationReply::unit() const { return text(3, 4); }

QString ConfigurationReply::interrogation(int index) const
{
    return decodeReplyCharacter(static_cast<unsigned char>(at(13 + index)));
}

std::optional<ConfigurationReply::OffsetField> ConfigurationReply::offsetField() const
{
    if (at(27) == '/')
        return OffsetField{text(25, 2), decodeReplyCharacter(static_cast<unsigned char>(at(29)))};
    if (at(26) == '/')
        return OffsetField{text(25, 1), decodeReplyCharacter(static_cast<unsigned char>(at(28)))};
    return std::nullopt;
}

bool ConfigurationReply::hasSpeed() const { return at(k() + 10) == 'R' && at(k() + 11) == 'S'; }

std::optional<QString> ConfigurationReply::speed() const
{
    if (!hasSpeed())
        return std::nullopt;
    const QByteArray digits = m_bytes.mid(k() + 13, 2);
    for (const SpeedDigits &entry : speedDigits)
        if (digits == entry.digits)
            return QString::fromLatin1(entry.speed);
    return std::nullopt;
}

std::optional<QString> ConfigurationReply::dataBitsDigit() const
{
    if (at(k() + 15) != '/')
        return std::nullopt;
    return text(k() + 16, 1);
}

bool ConfigurationReply::hasParity() const { return at(k() + 17) == '/'; }

std::optional<int> ConfigurationReply::parityIndex() const
{
    if (!hasParity())
        return std::nullopt;
    const QByteArray pair = m_bytes.mid(k() + 18, 2);
    for (int i = 0; i < 3; ++i)
        if (pair == parityPairs[i])
            return i;
    return std::nullopt;
}

bool ConfigurationReply::hasSupply() const { return at(k() + 20) == '/'; }

std::optional<QString> ConfigurationReply::supply() const
{
    if (!hasSupply())
        return std::nullopt;
    switch (at(k() + 22)) {
    case '1': return QStringLiteral("12v");
    case '5': return QStringLiteral("5v");
    default: return std::nullopt;
    }
}

} // namespace configtool
