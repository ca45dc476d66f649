#include "common/localelanguage.h"

namespace common {

namespace {

// "Français", "francais" and "French" all name French.
QString plainName(const QString &name)
{
    QString plain;
    for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c.toLower();
    }
    return plain;
}

} // namespace

QString messagesLocale()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

int languagePositionForLocale(const QStringList &names, const QString &locale)
{
    const bool french = locale.startsWith(QLatin1String("fr"), Qt::CaseInsensitive)
        && (locale.size() == 2 || !locale.at(2).isLetter());
    const QStringList wanted = french ? QStringList {QStringLiteral("francais"), QStringLiteral("french")}
                                      : QStringList {QStringLiteral("english")};
    for (int k = 0; k < names.size(); ++k) {
        if (wanted.contains(plainName(names.at(k))))
            return k + 1;
    }
    return 0;
}

} // namespace common
