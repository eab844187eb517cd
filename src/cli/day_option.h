// The day a guide command works on, as the user writes it on the command line.
#pragma once

#include <string>

#include "common/day.h"

namespace zelidor::cli {

// "today" or a calendar day written YYYYMMDD; anything else is a CommandError naming the option.
Day dayOption(const std::string& text, const std::string& optionName);

}  // namespace zelidor::cli
