#pragma once

#include "common/captiontable.h"

#include <span>

namespace acquisition {

// Quorix reads the first 40 lines of a language file; each line goes to the
// targets named here. A target is a caption of one window control, named after
// that control ("RadioGroup1[0]" is the first item of the radio group), or one
// of the messages. A name present in several windows gets the same text in all.
// The added messages follow.
constexpr int kCaptionLineCount = 40;

const common::CaptionTable &captionTable();
std::span<const common::CaptionLine> captionMap();

namespace caption {
inline constexpr char AboutBox[] = "AboutBox";
inline constexpr char msg_aucun_instrument[] = "msg_aucun_instrument";
inline constexpr char msg_quitter[] = "msg_quitter";
inline constexpr char msg_enregistrer[] = "msg_enregistrer";
} // namespace caption

} // namespace acquisition
