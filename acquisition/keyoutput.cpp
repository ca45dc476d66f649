#include "acquisition/keyoutput.h"

#include "acquisition/addedmessages.h"

#include "acquisition/portalkeysink.h"
#include "acquisition/quorixini.h"
#include "acquisition/virtualkeyboardsink.h"
#include "acquisition/xtestkeysink.h"

#include <QLocale>

namespace acquisition {

namespace {

// A Wayland client cannot see which window has the keyboard focus, so keys
// through the compositor are paced for any target.
class UnseenTarget : public KeySink {
public:
    explicit UnseenTarget(std::unique_ptr<KeySink> sink) : m_sink(std::move(sink)) {}
    void prepare() override { m_sink->prepare(); }
    void press(Key key) override { m_sink->press(key); }
    void beginValue() override { m_sink->beginValue(); }
    void endValue() override { m_sink->endValue(); }
    bool needsPace() override { return true; }
    void settle() override { m_sink->settle(); }

private:
    std::unique_ptr<KeySink> m_sink;
};

} // namespace

std::optional<KeyOutputKind> parseKeyOutputKind(const QString &text)
{
    const QString name = text.trimmed().toLower();
    if (name.isEmpty() || name == QLatin1String("auto"))
        return KeyOutputKind::Automatic;
    if (name == QLatin1String("x11"))
        return KeyOutputKind::X11;
    if (name == QLatin1String("wayland"))
        return KeyOutputKind::VirtualKeyboard;
    if (name == QLatin1String("portail"))
        return KeyOutputKind::Portal;
    return std::nullopt;
}

DesktopSession DesktopSession::current()
{
    return {!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"), !qEnvironmentVariableIsEmpty("DISPLAY")};
}

KeySinkOpeners systemKeySinks(const common::SettingsFile &settings)
{
    KeySinkOpeners openers;
    openers.x11 = [] { return std::make_unique<XTestKeySink>(); };
    openers.virtualKeyboardOffered = [] { return VirtualKeyboardSink::offered(); };
    openers.virtualKeyboard = [] { return std::make_unique<UnseenTarget>(std::make_unique<VirtualKeyboardSink>()); };
    openers.portal = [settings] {
        return std::make_unique<UnseenTarget>(
            std::make_unique<PortalKeySink>(settings, QLocale::system().decimalPoint()));
    };
    return openers;
}

std::unique_ptr<KeySink> openKeySink(KeyOutputKind kind, const DesktopSession &session,
                                     const KeySinkOpeners &openers)
{
    switch (kind) {
    case KeyOutputKind::X11: return openers.x11();
    case KeyOutputKind::VirtualKeyboard: return openers.virtualKeyboard();
    case KeyOutputKind::Portal: return openers.portal();
    case KeyOutputKind::Automatic: break;
    }
    if (!session.wayland) {
        if (!session.x11)
            throw cannotType(added::noDesktop);
        return openers.x11();
    }
    if (openers.virtualKeyboardOffered())
        return openers.virtualKeyboard();
    try {
        return openers.portal();
    } catch (const PortalMissing &) {
        throw cannotType(added::noVirtualKeyboardNorPortal);
    }
}

SessionKeySink::SessionKeySink(common::SettingsFile settings, KeySinkOpeners openers, DesktopSession session)
    : m_settings(std::move(settings)), m_openers(std::move(openers)), m_session(session)
{
}

SessionKeySink::SessionKeySink(const common::SettingsFile &settings)
    : SessionKeySink(settings, systemKeySinks(settings))
{
}

SessionKeySink::~SessionKeySink() = default;

void SessionKeySink::prepare()
{
    if (m_sink)
        return;
    // Read at each attempt, so a corrected setting counts at the next "Lecture".
    const QString setting = m_settings.Lire_chaine_ini(ini::keyboard, ini::keyOutput);
    const std::optional<KeyOutputKind> kind = parseKeyOutputKind(setting);
    if (!kind)
        throw cannotType(added::badKeyOutput, {ini::keyOutput, ini::keyboard, m_settings.path(), setting});
    m_sink = openKeySink(*kind, m_session, m_openers);
}

template <typename Call>
void SessionKeySink::forward(Call call)
{
    try {
        call(*m_sink);
    } catch (const common::UserError &) {
        m_sink.reset();
        throw;
    }
}

void SessionKeySink::press(Key key)
{
    prepare();
    forward([key](KeySink &sink) { sink.press(key); });
}

void SessionKeySink::beginValue()
{
    prepare();
    forward([](KeySink &sink) { sink.beginValue(); });
}

void SessionKeySink::endValue()
{
    if (m_sink)
        forward([](KeySink &sink) { sink.endValue(); });
}

bool SessionKeySink::needsPace()
{
    return m_sink && m_sink->needsPace();
}

void SessionKeySink::settle()
{
    if (m_sink)
        forward([](KeySink &sink) { sink.settle(); });
}

} // namespace acquisition
