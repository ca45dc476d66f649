#include "configtool/setrixtexts.h"

#include <algorithm>

namespace configtool {

SetrixTexts::SetrixTexts()
{
    for (const CaptionEntry &e : captionMap()) {
        if (QLatin1String(e.target).startsWith(QLatin1String("message.")))
            m_messages.insert(e.line, QString());
        if (QLatin1String(e.target).startsWith(QLatin1String("parity.")))
            m_parityNames.append(QString::fromUtf8(e.builtIn));
    }
}

void SetrixTexts::registerTargets(CaptionRegistry &registry)
{
    for (auto it = m_messages.begin(); it != m_messages.end(); ++it) {
        const int line = it.key();
        registry.add(QStringLiteral("message.%1").arg(line),
                     [this, line](const QString &text) { m_messages[line] = text; });
    }
    for (int parity = 0; parity < m_parityNames.size(); ++parity) {
        registry.add(QStringLiteral("parity.%1").arg(parity),
                     [this, parity](const QString &text) { m_parityNames[parity] = text; });
    }
}

int SetrixTexts::languageLines() const
{
    return std::max(languageLineCount, m_added.lastLine());
}

QString SetrixTexts::noMultiplexer() const
{
    return message(38) + QStringLiteral("\n\r") + message(39);
}

QString SetrixTexts::instrumentChosen(int instrument) const
{
    return message(42) + QString::number(instrument) + message(43);
}

QString SetrixTexts::updateQuestion() const
{
    return message(54) + QStringLiteral("\r\n") + message(55);
}

QString SetrixTexts::notProgrammable(const QString &reply) const
{
    return message(62) + QStringLiteral("\r\n") + reply;
}

} // namespace configtool
