#pragma once

#include "acquisition/keysink.h"
#include "common/settingsfile.h"

#include <functional>
#include <memory>
#include <optional>

namespace acquisition {

// How the values are typed: chosen from the session, or forced in quorix.ini
// ([CLAVIER] Sortie = auto, x11, wayland or portail).
enum class KeyOutputKind { Automatic, X11, VirtualKeyboard, Portal };
std::optional<KeyOutputKind> parseKeyOutputKind(const QString &text);

// The graphical session the program runs in.
struct DesktopSession {
    bool wayland = false; // WAYLAND_DISPLAY is set
    bool x11 = false;     // DISPLAY is set
    static DesktopSession current();
};

// Opens one kind of sink; each throws common::UserError naming what is missing.
struct KeySinkOpeners {
    std::function<std::unique_ptr<KeySink>()> x11;
    // Throws when the compositor cannot be reached.
    std::function<bool()> virtualKeyboardOffered;
    std::function<std::unique_ptr<KeySink>()> virtualKeyboard;
    std::function<std::unique_ptr<KeySink>()> portal; // may throw PortalMissing
};

// The sinks of this system, the portal keeping its restore token in settings
// and telling userAsked while the desktop may be asking the user.
KeySinkOpeners systemKeySinks(const common::SettingsFile &settings,
                              std::function<void(bool asking)> userAsked = {});

// X11 session: XTest. Wayland session: the compositor's virtual keyboard when
// it offers one, else the desktop portal; XTest when the compositor cannot be
// reached but an X display is set (a WAYLAND_DISPLAY left over).
std::unique_ptr<KeySink> openKeySink(KeyOutputKind kind, const DesktopSession &session,
                                     const KeySinkOpeners &openers);

// The program's key output. The way to type is found at the first prepare()
// (the first "Lecture"), where the desktop may ask the user's permission, and
// kept for the run; a way that fails while typing is dropped, so the next
// "Lecture" looks again.
class SessionKeySink : public KeySink {
public:
    SessionKeySink(common::SettingsFile settings, KeySinkOpeners openers,
                   DesktopSession session = DesktopSession::current());
    explicit SessionKeySink(const common::SettingsFile &settings);
    ~SessionKeySink() override;

    // Told true while the desktop's permission dialog may be up, then false:
    // the window must not cover it.
    void setUserAskedHook(std::function<void(bool asking)> hook) { m_userAsked = std::move(hook); }
    // Told, once a run, what the user should know about the way chosen.
    void setNoticeHook(std::function<void(const common::AddedText &)> hook) { m_notice = std::move(hook); }

    void prepare() override;
    void press(Key key) override;
    void beginValue() override;
    void endValue() override;
    bool needsPace() override;
    void settle() override;
    void stopWaiting() override;

private:
    template <typename Call>
    void forward(Call call);

    common::SettingsFile m_settings;
    KeySinkOpeners m_openers;
    DesktopSession m_session;
    std::unique_ptr<KeySink> m_sink;
    std::function<void(bool)> m_userAsked;
    std::function<void(const common::AddedText &)> m_notice;
    bool m_x11NoticeGiven = false;
    int m_forwardDepth = 0;
    bool m_dropSink = false;
};

} // namespace acquisition
