#pragma once

namespace common {
class TAboutBox;
}

namespace acquisition {

class CaptionTargets;

// Registers the about box's caption, memory label and support button.
void registerAboutBoxCaptions(CaptionTargets &targets, common::TAboutBox &box);

} // namespace acquisition
