#include "acquisition/quorixlanguage.h"

#include "acquisition/captionmap.h"
#include "acquisition/quorixsettings.h"
#include "common/localelanguage.h"

namespace acquisition {

QuorixMessages QuorixMessages::builtIn()
{
    return {QStringLiteral("Aucun instrument n'est configuré."),
            QStringLiteral("Voulez-vous quitter Quorix ?"),
            QStringLiteral("La configuration a été modifiée. Voulez-vous l'enregistrer ?")};
}

QuorixLanguage::QuorixLanguage(common::SettingsFile settings, ConfigurationSession &session,
                               QString languageDirectory)
    : m_settings(settings), m_session(session),
      m_switch(captionTable(), std::move(settings), std::move(languageDirectory))
{
    common::CaptionRegistry &registry = m_switch.registry();
    registry.add(QLatin1String(caption::msg_aucun_instrument),
                 [this](const QString &text) { m_messages.msg_aucun_instrument = text; });
    registry.add(QLatin1String(caption::msg_quitter), [this](const QString &text) { m_messages.msg_quitter = text; });
    registry.add(QLatin1String(caption::msg_enregistrer),
                 [this](const QString &text) { m_messages.msg_enregistrer = text; });
    m_messages.added.registerIn(registry);
}

void QuorixLanguage::UpDateCaption(const std::function<void()> &betweenEntries)
{
    m_switch.listLanguages(betweenEntries);
    const QuorixSettings read = readQuorixSettings(m_settings);
    m_session.fichier_config = read.fichierConfig;
    if (read.langueStored)
        m_switch.start(read.langue);
    else
        m_switch.startFromLocale(common::messagesLocale());
}

} // namespace acquisition
