#include "acquisition/keyoutput/waylandconnection.h"

#include "acquisition/addedmessages.h"

#include "acquisition/keysink.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>
#include <QScopeGuard>

#include <wayland-client.h>

#include <cerrno>
#include <cstring>
#include <poll.h>

namespace acquisition {

namespace {

void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    static_cast<WaylandConnection *>(data)->announce(registry, name, interface, version);
}

void onGlobalRemoved(void *, wl_registry *, uint32_t) {}

const wl_registry_listener kRegistryListener = {onGlobal, onGlobalRemoved};

void onCapabilities(void *data, wl_seat *, uint32_t capabilities)
{
    static_cast<WaylandConnection *>(data)->setSeatHasKeyboard(capabilities & WL_SEAT_CAPABILITY_KEYBOARD);
}

void onSeatName(void *, wl_seat *, const char *) {}

const wl_seat_listener kSeatListener = {onCapabilities, onSeatName};

void onDone(void *data, wl_callback *, uint32_t)
{
    *static_cast<bool *>(data) = true;
}

const wl_callback_listener kCallbackListener = {onDone};

QString displayName()
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    return name.isEmpty() ? QStringLiteral("wayland-0") : name;
}

} // namespace

WaylandConnection::WaylandConnection(int answerTimeoutMs) : m_answerTimeoutMs(answerTimeoutMs)
{
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        throw cannotType(added::waylandDisplayUnreachable, {displayName()});
    try {
        m_registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(m_registry, &kRegistryListener, this);
        sync(); // the globals
        sync(); // the seat's capabilities
    } catch (...) {
        close();
        throw;
    }
}

WaylandConnection::~WaylandConnection()
{
    close();
}

void WaylandConnection::close()
{
    if (m_manager)
        zwp_virtual_keyboard_manager_v1_destroy(m_manager);
    m_manager = nullptr;
    if (m_seat)
        wl_seat_destroy(m_seat);
    m_seat = nullptr;
    if (m_registry)
        wl_registry_destroy(m_registry);
    m_registry = nullptr;
    if (m_display)
        wl_display_disconnect(m_display);
    m_display = nullptr;
}

void WaylandConnection::announce(wl_registry *registry, unsigned name, const char *interface, unsigned)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0)
    {
        m_seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        wl_seat_add_listener(m_seat, &kSeatListener, this);
    }
    else if (!m_manager && std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        m_manager = static_cast<zwp_virtual_keyboard_manager_v1 *>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
}

void WaylandConnection::checkError() const
{
    const int error = wl_display_get_error(m_display);
    if (error == 0)
        return;
    if (error == EPROTO) {
        const wl_interface *interface = nullptr;
        wl_display_get_protocol_error(m_display, &interface, nullptr);
        if (interface && std::strcmp(interface->name, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
            throw cannotType(added::virtualKeyboardRefused);
        throw cannotType(added::waylandProtocolError, {QString::fromLatin1(interface ? interface->name : "?")});
    }
    throw cannotType(added::waylandLost);
}

void WaylandConnection::waitFor(short events, int timeoutMs)
{
    pollfd descriptor {wl_display_get_fd(m_display), events, 0};
    int ready = 0;
    do {
        ready = ::poll(&descriptor, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0)
        throw cannotType(added::waylandNotAnswering);
    if (ready < 0 || (descriptor.revents & (POLLERR | POLLNVAL)))
        throw cannotType(added::waylandLost);
}

void WaylandConnection::flush()
{
    checkError();
    while (wl_display_flush(m_display) < 0) {
        if (errno != EAGAIN) {
            checkError();
            throw cannotType(added::waylandLost);
        }
        waitFor(POLLOUT, m_answerTimeoutMs);
    }
}

void WaylandConnection::sync()
{
    // wl_display_roundtrip() would wait for ever on a compositor that hangs.
    bool done = false;
    wl_callback *callback = wl_display_sync(m_display);
    wl_callback_add_listener(callback, &kCallbackListener, &done);
    const auto destroyCallback = qScopeGuard([callback] { wl_callback_destroy(callback); });
    const QDeadlineTimer deadline(m_answerTimeoutMs);
    while (!done) {
        flush();
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0)
                checkError();
        }
        if (done) {
            wl_display_cancel_read(m_display);
            break;
        }
        try {
            waitFor(POLLIN, int(deadline.remainingTime()));
        } catch (...) {
            wl_display_cancel_read(m_display);
            throw;
        }
        if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0) {
            checkError();
            throw cannotType(added::waylandLost);
        }
    }
    checkError();
}

} // namespace acquisition
