#include "acquisition/keyoutput/keyoutput.h"

#include "acquisition/addedmessages.h"

#include "acquisition/keyoutput/portalkeysink.h"
#include "acquisition/quorixini.h"
#include "acquisition/keyoutput/virtualkeyboardsink.h"
#include "acquisition/keyoutput/xtestkeysink.h"

#include <QLocale>
#include <QScopeGuard>

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
    void stopWaiting() override { m_sink->stopWaiting(); }

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

KeySinkOpeners systemKeySinks(const common::SettingsFile &settings, std::function<void(bool)> userAsked)
{
    KeySinkOpeners openers;
    openers.x11 = [] { return std::make_unique<XTestKeySink>(); };
    openers.virtualKeyboardOffered = [] { return VirtualKeyboardSink::offered(); };
    openers.virtualKeyboard = [] { return std::make_unique<UnseenTarget>(std::make_unique<VirtualKeyboardSink>()); };
    openers.portal = [settings, userAsked] {
        PortalKeySink::Options options;
        options.userAsked = userAsked;
        // Not paced: one call in flight already holds each key until the desktop took the last.
        return std::make_unique<PortalKeySink>(settings, QLocale::system().decimalPoint(),
                                               QDBusConnection::sessionBus(), options);
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
    bool offered = false;
    try {
        offered = openers.virtualKeyboardOffered();
    } catch (const common::UserError &) {
        if (!session.x11)
            throw;
        return openers.x11();
    }
    if (offered)
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
    : SessionKeySink(settings, systemKeySinks(settings, [this](bool asking) {
                         if (m_userAsked)
                             m_userAsked(asking);
                     }))
{
}

SessionKeySink::~SessionKeySink() = default;

void SessionKeySink::prepare()
{
    if (m_sink) {
        forward([](KeySink &sink) { sink.prepare(); });
        return;
    }
    // Read at each attempt, so a corrected setting counts at the next "Lecture".
    const QString setting = m_settings.Lire_chaine_ini(ini::keyboard, ini::keyOutput);
    const std::optional<KeyOutputKind> kind = parseKeyOutputKind(setting);
    if (!kind)
        throw cannotType(added::badKeyOutput, {ini::keyOutput, ini::keyboard, m_settings.path(), setting});
    m_sink = openKeySink(*kind, m_session, m_openers);
    // Typed into XWayland only, the values would seem to vanish.
    if (*kind == KeyOutputKind::X11 && m_session.wayland && !m_x11NoticeGiven && m_notice) {
        m_x11NoticeGiven = true;
        m_notice(added::x11KeysOnWayland);
    }
}

template <typename Call>
void SessionKeySink::forward(Call call)
{
    // A sink may serve events while it waits, and a key given from there may
    // fail first: the sink goes only once the outermost call is out of it.
    ++m_forwardDepth;
    const auto leave = qScopeGuard([this] {
        if (--m_forwardDepth == 0 && m_dropSink) {
            m_dropSink = false;
            m_sink.reset();
        }
    });
    try {
        call(*m_sink);
    } catch (const common::UserError &) {
        m_dropSink = true;
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

void SessionKeySink::stopWaiting()
{
    if (m_sink)
        m_sink->stopWaiting();
}

} // namespace acquisition
