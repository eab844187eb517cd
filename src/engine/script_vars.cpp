#include "engine/script_vars.h"

#include "engine/script_failure.h"

namespace zelidor {

std::size_t ScriptVars::slot(int number) {
    if (number < 0 || number >= kCount) {
        throw ScriptFailure("there is no variable " + std::to_string(number));
    }
    return static_cast<std::size_t>(number);
}

const std::string& ScriptVars::get(int number) const {
    const std::string& value = values_[slot(number)];
    bytesHandled_ += value.size();
    return value;
}

void ScriptVars::set(int number, std::string value) {
    bytesHandled_ += value.size();  // it was built, even when it is refused
    if (value.size() > kLongestText) {
        throw ScriptFailure("text too long for a variable");
    }
    values_[slot(number)] = std::move(value);
}

}  // namespace zelidor
