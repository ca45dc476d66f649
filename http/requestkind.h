#pragma once

#include <QString>

namespace http {

// Request kinds as the client reports them; the cable list update only issues Get.
enum class RequestKind { Get, Options, Head, Post, Put, Patch, Copy, Move, Delete, Link, UnLink, Trace, Wrapped };

// "Get", "Head", ...; empty for a value outside the list.
QString requestKindName(RequestKind kind);

// "Get Succeeded", "Head Failed", ...; empty for a value outside the list, so a
// caller can leave its status line unchanged.
QString requestResultText(RequestKind kind, bool succeeded);

} // namespace http
