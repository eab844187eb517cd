#include "engine/script_lines.h"

#include "common/text.h"
#include "engine/script_failure.h"

namespace zelidor {

ScriptLines::ScriptLines() : entries_(kLastLine + 1) {}

void ScriptLines::clear() {
    for (Entry& entry : entries_) {
        entry.text.clear();
        entry.instruction.reset();
    }
}

void ScriptLines::load(const std::vector<std::string>& lines) {
    clear();
    int index = 1;
    for (const std::string& line : lines) {
        if (index > kLastLine) {
            break;
        }
        set(index++, line);
    }
}

void ScriptLines::set(int index, std::string text) {
    if (index < 1 || index > kLastLine) {
        return;
    }
    Entry& target = entries_[static_cast<std::size_t>(index)];
    target.instruction = matchKeyword(text);
    target.text = std::move(text);
}

const ScriptLines::Entry& ScriptLines::entry(int index) const {
    if (index < 0 || index > kLastLine) {
        throw ScriptFailure("script line " + std::to_string(index) + " does not exist");
    }
    return entries_[static_cast<std::size_t>(index)];
}

const std::string& ScriptLines::text(int index) const {
    return entry(index).text;
}

const std::optional<KeywordMatch>& ScriptLines::instruction(int index) const {
    return entry(index).instruction;
}

bool ScriptLines::contains(int index, std::string_view marker) const {
    return findNoCase(entry(index).text, marker) != 0;
}

}  // namespace zelidor
