#pragma once

#include "acquisition/quorixlanguage.h"
#include "common/ui/helppage.h"

namespace acquisition {

inline common::HelpPageTexts helpPageTexts(const QuorixMessages &messages)
{
    return {messages.added.text(added::helpPageMissing)};
}

} // namespace acquisition
