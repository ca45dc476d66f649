#include "http/requestkind.h"

#include <array>

namespace http {

QString requestKindName(RequestKind kind)
{
    static const std::array<const char *, 13> names = {
        "Get", "Options", "Head", "Post", "Put", "Patch", "Copy",
        "Move", "Delete", "Link", "UnLink", "Trace", "Wrapped"};
    const auto index = static_cast<std::size_t>(kind);
    if (index >= names.size())
        return {};
    return QString::fromLatin1(names[index]);
}

QString requestResultText(RequestKind kind, bool succeeded)
{
    const QString name = requestKindName(kind);
    if (name.isEmpty())
        return {};
    return name + (succeeded ? QStringLiteral(" Succeeded") : QStringLiteral(" Failed"));
}

} // namespace http
