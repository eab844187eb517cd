// The script lines in memory: entries 1 to 5000 hold script lines 1 to 5000; entry 0 exists but
// never holds a line. Lines past 5000 do not exist for the engine. The instruction each line
// holds is worked out when the line is stored, so dispatching a line costs no searching.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/keywords.h"

namespace zelidor {

class ScriptLines {
  public:
    static constexpr int kLastLine = 5000;  // LineLimit: line loops run while CurLine < 5000

    ScriptLines();

    // Every entry back to the empty text.
    void clear();
    // Clears, then stores lines[0] as line 1, lines[1] as line 2 ...; lines past 5000 are
    // dropped.
    void load(const std::vector<std::string>& lines);
    // Stores one line; an index outside 1..5000 is ignored (there is no such line).
    void set(int index, std::string text);

    // The text of entry index (entry 0 is empty). An index outside 0..5000 is a run-time
    // failure of the script (ScriptFailure), as any index into the lines must be checked.
    const std::string& text(int index) const;
    // The instruction of entry index, if it holds one. Same index rule as text().
    const std::optional<KeywordMatch>& instruction(int index) const;
    // Whether entry index contains marker, without regard to letter case (block markers,
    // labels, #ENDIF#). Same index rule as text().
    bool contains(int index, std::string_view marker) const;
    // The first line after line `after` (up to line 5000) that contains marker, without regard
    // to letter case; 0 when there is none.
    int nextLineContaining(int after, std::string_view marker) const;

    // Bytes of script text the marker searches looked at since the lines were made (see
    // ScriptEngine::kTextBudget).
    std::uint64_t bytesScanned() const { return bytesScanned_; }

  private:
    struct Entry {
        std::string text;
        std::string folded;  // text in small letters, for the many marker searches
        std::optional<KeywordMatch> instruction;
    };
    const Entry& entry(int index) const;

    std::vector<Entry> entries_;
    mutable std::uint64_t bytesScanned_ = 0;
};

}  // namespace zelidor
