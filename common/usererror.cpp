#include "common/usererror.h"

namespace common {

UserError::UserError(QString text, Kind kind)
    : std::runtime_error(text.toStdString()), m_text(std::move(text)), m_kind(kind) {}

UserError UserError::fileNotFound()
{
    return UserError(QStringLiteral("Fichier introuvable"), Kind::FileNotFound);
}

UserError UserError::notAnInteger(const QString &value)
{
    return UserError(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(value), Kind::NotAnInteger);
}

UserError UserError::notAFloat(const QString &value)
{
    return UserError(QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(value),
                     Kind::NotAFloat);
}

UserError UserError::notADate(const QString &value)
{
    return UserError(QStringLiteral("'%1' n'est pas une date correcte").arg(value), Kind::NotADate);
}

UserError UserError::cannotOpen(const QString &path)
{
    return UserError(QStringLiteral("Impossible d'ouvrir le fichier %1").arg(path), Kind::CannotOpen);
}

UserError UserError::cannotCreate(const QString &path)
{
    return UserError(QStringLiteral("Impossible de créer le fichier %1").arg(path), Kind::CannotCreate);
}

UserError UserError::cannotWrite(const QString &path)
{
    return UserError(QStringLiteral("Impossible d'écrire dans %1").arg(path), Kind::CannotWrite);
}

} // namespace common
