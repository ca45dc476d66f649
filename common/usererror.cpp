#include "common/usererror.h"

#include "common/commontexts.h"

namespace common {

UserError::UserError(QString text, Kind kind)
    : std::runtime_error(text.toStdString()), m_text(std::move(text)), m_kind(kind) {}

namespace {
QString filledIn(const QString &text, const QString &argument)
{
    return text.contains(QLatin1String("%1")) ? text.arg(argument) : text;
}
} // namespace

UserError::UserError(const char16_t *french, QString argument, Kind kind)
    : UserError(filledIn(QString::fromUtf16(french), argument), kind)
{
    m_french = french;
    m_argument = std::move(argument);
}

QString UserError::text() const
{
    return m_french ? filledIn(inLanguage(m_french), m_argument) : m_text;
}

UserError UserError::fileNotFound()
{
    return UserError(texts::fileNotFound, QString(), Kind::FileNotFound);
}

UserError UserError::notAnInteger(const QString &value)
{
    return UserError(texts::notAnInteger, value, Kind::NotAnInteger);
}

UserError UserError::notAFloat(const QString &value)
{
    return UserError(texts::notAFloat, value, Kind::NotAFloat);
}

UserError UserError::notADate(const QString &value)
{
    return UserError(texts::notADate, value, Kind::NotADate);
}

UserError UserError::cannotOpen(const QString &path)
{
    return UserError(texts::cannotOpen, path, Kind::CannotOpen);
}

UserError UserError::cannotCreate(const QString &path)
{
    return UserError(texts::cannotCreate, path, Kind::CannotCreate);
}

UserError UserError::cannotWrite(const QString &path)
{
    return UserError(texts::cannotWrite, path, Kind::CannotWrite);
}

} // namespace common
