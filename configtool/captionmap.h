#pragma once

#include "common/captiontable.h"

#include <QString>

#include <span>

namespace configtool {

using common::CaptionLine;
using common::CaptionRegistry;

// Setrix's caption table proper has this many lines; its added messages follow.
inline constexpr int languageLineCount = 84;

// The places of a language line: a window's control (e.g. "TForm1.btn_connexion"),
// a message text ("message.38") or a parity name ("parity.0").
const common::CaptionTable &captionTable();
// The table's lines, in line order.
std::span<const CaptionLine> captionMap();

// The built-in text of a target; empty for an unknown one.
QString builtInCaption(const QString &target);

} // namespace configtool
