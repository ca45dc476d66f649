#include "acquisition/keysink.h"

#include "acquisition/addedmessages.h"

#include <functional>

namespace acquisition {

KeySink::~KeySink() = default;

int virtualKeyCode(Key key)
{
    switch (key) {
    case Key::Decimal: return 0x6E;
    case Key::Subtract: return 0x6D;
    case Key::Add: return 0x6B;
    case Key::Up: return 0x26;
    case Key::Down: return 0x28;
    case Key::Left: return 0x25;
    case Key::Right: return 0x27;
    default: return 0x60 + static_cast<int>(key) - static_cast<int>(Key::Numpad0);
    }
}

namespace {

// In one pass, so an argument holding "%2" (a path, a setting) stays as it is.
QString fill(const QString &text, const QStringList &a)
{
    switch (a.size()) {
    case 0: return text;
    case 1: return text.arg(a[0]);
    case 2: return text.arg(a[0], a[1]);
    case 3: return text.arg(a[0], a[1], a[2]);
    default: return text.arg(a[0], a[1], a[2], a[3]);
    }
}

QString cannotTypeText(const common::AddedText &reason, const QStringList &arguments,
                       const std::function<QString(const common::AddedText &)> &textOf)
{
    return textOf(added::cannotType).arg(fill(textOf(reason), arguments));
}

QString french(const common::AddedText &entry)
{
    return QString::fromUtf16(entry.french);
}

} // namespace

CannotType::CannotType(const common::AddedText &reason, QStringList arguments)
    : UserError(cannotTypeText(reason, arguments, french), Kind::CannotType), m_reason(&reason), m_arguments(std::move(arguments))
{
}

QString CannotType::textIn(const common::AddedTexts &texts) const
{
    return cannotTypeText(*m_reason, m_arguments,
                          [&texts](const common::AddedText &entry) { return texts.text(entry); });
}

CannotType cannotType(const common::AddedText &reason, QStringList arguments)
{
    return CannotType(reason, std::move(arguments));
}

bool isKeypadKey(Key key)
{
    return key < Key::Up;
}

} // namespace acquisition
