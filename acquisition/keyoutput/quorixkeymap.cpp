#include "acquisition/keyoutput/quorixkeymap.h"

#include "acquisition/addedmessages.h"
#include "acquisition/keyoutput/keytable.h"

#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace acquisition {

namespace {

// xkbcommon keycodes are evdev codes plus 8.
constexpr unsigned kXkbOffset = 8;

QByteArray keysymName(xkb_keysym_t keysym)
{
    char name[64] = {};
    xkb_keysym_get_name(keysym, name, sizeof name);
    return QByteArray(name);
}

QByteArray keymapSource()
{
    QByteArray keycodes, symbols;
    for (const KeyRow &key : kKeyTable) {
        keycodes += QByteArray("    <") + key.keymapName + "> = " + QByteArray::number(key.evdev + kXkbOffset)
                  + ";\n";
        // One level: no modifier, Num Lock included, changes the symbol.
        symbols += QByteArray("    key <") + key.keymapName + "> { type = \"ONE_LEVEL\", [ " + keysymName(key.keysym)
                 + " ] };\n";
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

} // namespace acquisition
