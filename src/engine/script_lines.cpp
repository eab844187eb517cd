#include "engine/script_lines.h"

#include "common/text.h"
#include "engine/script_failure.h"

namespace zelidor {

namespace {

// Whether marker occurs in a text already folded to small letters. Markers are short and
// searched very often (every line of every pass, every jump), so they are folded on the fly
// instead of being copied.
bool containsFolded(std::string_view folded, std::string_view marker) {
    if (marker.empty()) {
        return true;
    }
    const char first = foldLatin1(marker.front());
    std::size_t at = folded.find(first);
    while (at != std::string_view::npos && marker.size() <= folded.size() - at) {
        std::size_t k = 1;
        while (k < marker.size() && folded[at + k] == foldLatin1(marker[k])) {
            ++k;
        }
        if (k == marker.size()) {
            return true;
        }
        at = folded.find(first, at + 1);
    }
    return false;
}

}  // namespace

ScriptLines::ScriptLines() : entries_(kLastLine + 1) {}

void ScriptLines::clear() {
    for (Entry& entry : entries_) {
        entry.text.clear();
        entry.folded.clear();
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
    target.folded = foldLatin1(text);
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
    const std::string& folded = entry(index).folded;
    bytesScanned_ += folded.size() + 1;
    return containsFolded(folded, marker);
}

int ScriptLines::nextLineContaining(int after, std::string_view marker) const {
    for (int index = after < 0 ? 1 : after + 1; index <= kLastLine; ++index) {
        const std::string& folded = entries_[static_cast<std::size_t>(index)].folded;
        bytesScanned_ += folded.size() + 1;
        if (containsFolded(folded, marker)) {
            return index;
        }
    }
    return 0;
}

}  // namespace zelidor
