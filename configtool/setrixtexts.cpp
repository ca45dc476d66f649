#include "configtool/setrixtexts.h"

namespace configtool {

SetrixTexts::SetrixTexts()
{
    for (const CaptionLine &e : captionMap()) {
        if (QLatin1String(e.target).startsWith(QLatin1String("message.")))
            m_messages.insert(e.line, QString());
        if (QLatin1String(e.target).startsWith(QLatin1String("parity.")))
            m_parityNames.append(QString::fromUtf16(e.builtIn));
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
    m_added.registerIn(registry);
}

QString SetrixTexts::noMultiplexer() const
{
    return message(SetrixMessage::noMultiplexer) + QStringLiteral("\n\r")
           + message(SetrixMessage::checkCableAndConnect);
}

QString SetrixTexts::instrumentChosen(int instrument) const
{
    return message(SetrixMessage::instrumentPrefix) + QString::number(instrument)
           + message(SetrixMessage::instrumentSelectedSuffix);
}

QString SetrixTexts::updateQuestion() const
{
    return message(SetrixMessage::cableListOutdated) + QStringLiteral("\r\n") + message(SetrixMessage::askUpdateList);
}

QString SetrixTexts::replaceWithOlderQuestion() const
{
    return message(SetrixMessage::chosenListOlder) + QStringLiteral("\r\n") + message(SetrixMessage::askReplaceList);
}

QString SetrixTexts::notProgrammable(const QString &reply) const
{
    return message(SetrixMessage::notProgrammable) + QStringLiteral("\r\n") + reply;
}

} // namespace configtool
