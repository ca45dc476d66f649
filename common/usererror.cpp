#include "common/usererror.h"

namespace common {

UserError::UserError(QString text)
    : std::runtime_error(text.toStdString()), m_text(std::move(text)) {}

UserError UserError::fileNotFound() { return UserError(QStringLiteral("Fichier introuvable")); }

UserError UserError::notAnInteger(const QString &value)
{
    return UserError(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(value));
}

UserError UserError::notAFloat(const QString &value)
{
    return UserError(QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(value));
}

UserError UserError::notADate(const QString &value)
{
    return UserError(QStringLiteral("'%1' n'est pas une date correcte").arg(value));
}

UserError UserError::cannotOpen(const QString &path)
{
    return UserError(QStringLiteral("Impossible d'ouvrir le fichier %1").arg(path));
}

UserError UserError::cannotCreate(const QString &path)
{
    return UserError(QStringLiteral("Impossible de créer le fichier %1").arg(path));
}

UserError UserError::cannotWrite(const QString &path)
{
    return UserError(QStringLiteral("Impossible d'écrire dans %1").arg(path));
}

int toInteger(const QString &text)
{
    bool ok = false;
    int value = 0;
    QString body = text;
    bool negative = false;
    if (body.startsWith(u'-') || body.startsWith(u'+')) {
        negative = body.startsWith(u'-');
        body = body.mid(1);
    }
    if (body.startsWith(u'$'))
        value = body.mid(1).toInt(&ok, 16);
    else if (body.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = body.mid(2).toInt(&ok, 16);
    else if (!body.isEmpty() && body.at(0).isDigit())
        value = body.toInt(&ok, 10);
    if (!ok)
        throw UserError::notAnInteger(text);
    return negative ? -value : value;
}

} // namespace common
