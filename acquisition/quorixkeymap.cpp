#include "acquisition/quorixkeymap.h"

#include "acquisition/addedmessages.h"

#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace acquisition {

namespace {

struct KeyDefinition {
    const char *name;   // the keymap's name of the key
    unsigned evdev;
    const char *keysym;
};

// In the order of Key.
constexpr KeyDefinition kKeys[keyCount] = {
    {"KP0", 82, "KP_0"}, {"KP1", 79, "KP_1"}, {"KP2", 80, "KP_2"}, {"KP3", 81, "KP_3"},
    {"KP4", 75, "KP_4"}, {"KP5", 76, "KP_5"}, {"KP6", 77, "KP_6"}, {"KP7", 71, "KP_7"},
    {"KP8", 72, "KP_8"}, {"KP9", 73, "KP_9"},
    {"KPDL", 83, "KP_Decimal"}, {"KPSU", 74, "KP_Subtract"}, {"KPAD", 78, "KP_Add"},
    {"UP", 103, "Up"}, {"DOWN", 108, "Down"}, {"LEFT", 105, "Left"}, {"RGHT", 106, "Right"},
};

// xkbcommon keycodes are evdev codes plus 8.
constexpr unsigned kXkbOffset = 8;

QByteArray keymapSource()
{
    QByteArray keycodes, symbols;
    for (const KeyDefinition &key : kKeys) {
        keycodes += QByteArray("    <") + key.name + "> = " + QByteArray::number(key.evdev + kXkbOffset) + ";\n";
        // One level: no modifier, Num Lock included, changes the symbol.
        symbols += QByteArray("    key <") + key.name + "> { type = \"ONE_LEVEL\", [ " + key.keysym + " ] };\n";
    }
    return "xkb_keymap {\n"
           "  xkb_keycodes \"quorix\" {\n    minimum = 8;\n    maximum = 255;\n" + keycodes + "  };\n"
           "  xkb_types \"quorix\" { include \"complete\" };\n"
           "  xkb_compatibility \"quorix\" { include \"complete\" };\n"
           "  xkb_symbols \"quorix\" {\n" + symbols + "  };\n"
           "};\n";
}

} // namespace

QByteArray quorixKeymap()
{
    // Compiled here and written back whole, so neither the compositor nor the
    // target needs the same keyboard data files to read it.
    const std::unique_ptr<xkb_context, void (*)(xkb_context *)> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES), xkb_context_unref);
    if (!context)
        throw cannotType(added::xkbNotStarting);
    const QByteArray source = keymapSource();
    const std::unique_ptr<xkb_keymap, void (*)(xkb_keymap *)> keymap(
        xkb_keymap_new_from_buffer(context.get(), source.constData(), size_t(source.size()),
                                   XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS),
        xkb_keymap_unref);
    if (!keymap)
        throw cannotType(added::keymapNotCompiling);
    const std::unique_ptr<char, void (*)(void *)> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), free);
    if (!text)
        throw cannotType(added::keymapNotWritten);
    QByteArray result(text.get());
    result.append('\0');
    return result;
}

unsigned evdevCode(Key key)
{
    return kKeys[static_cast<int>(key)].evdev;
}

const char *keysymName(Key key)
{
    return kKeys[static_cast<int>(key)].keysym;
}

} // namespace acquisition
