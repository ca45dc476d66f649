#pragma once

#include <QString>

#include <span>

namespace acquisition {

// Quorix reads the first 40 lines of a language file; each line goes to the
// targets named here. A target is a caption of one window control, named after
// that control ("RadioGroup1[0]" is the first item of the radio group), or one
// of the messages. A name present in several windows gets the same text in all.
constexpr int kCaptionLineCount = 40;

struct CaptionLine {
    int line;
    const char16_t *target;
    const char16_t *initialText; // the built-in French caption
};

std::span<const CaptionLine> captionMap();

// Whether the map knows a target of that name.
bool isCaptionTarget(const QString &target);

namespace caption {
inline constexpr char16_t AboutBox[] = u"AboutBox";
inline constexpr char16_t msg_aucun_instrument[] = u"msg_aucun_instrument";
inline constexpr char16_t msg_quitter[] = u"msg_quitter";
inline constexpr char16_t msg_enregistrer[] = u"msg_enregistrer";
} // namespace caption

} // namespace acquisition
