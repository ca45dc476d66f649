#pragma once

namespace common {
class CaptionRegistry;
class TAboutBox;
} // namespace common

namespace acquisition {

// Registers the about box's caption, memory label and support button.
void registerAboutBoxCaptions(common::CaptionRegistry &targets, common::TAboutBox &box);

} // namespace acquisition
