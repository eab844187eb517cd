#include "cli/day_option.h"

#include "cli/command.h"

namespace zelidor::cli {

Day dayOption(const std::string& text, const std::string& optionName) {
    if (text == "today") {
        return Day::today();
    }
    auto day = Day::parse(text);
    if (!day) {
        throw CommandError(optionName + " takes today or a day written YYYYMMDD, not '" + text +
                           "'");
    }
    return *day;
}

}  // namespace zelidor::cli
