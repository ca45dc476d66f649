#include "acquisition/keysink.h"

#include "acquisition/addedmessages.h"

#include <functional>

namespace acquisition {

KeySink::~KeySink() = default;

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
