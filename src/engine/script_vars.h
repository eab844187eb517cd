// The 51 text variables #00# to #50# of the script language. They start empty with the engine
// and are never cleared by it: a value survives into the next channel-day until a script
// overwrites it. Numbers, columns and flags are held as decimal text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zelidor {

class ScriptVars {
  public:
    static constexpr int kCount = 51;
    // No page line or programme text comes near this; a script that keeps doubling a text in
    // a loop would otherwise exhaust the memory long before the line budget ends it.
    static constexpr std::size_t kLongestText = std::size_t{16} << 20;

    // A number outside 0..50, or a text longer than kLongestText, is a run-time failure of the
    // script (ScriptFailure).
    const std::string& get(int number) const;
    void set(int number, std::string value);

    const std::array<std::string, kCount>& all() const { return values_; }

    // The bytes of every text that get() handed out and set() was given, since the engine was
    // made: what the script's work with its variables costs (see ScriptEngine::kTextBudget).
    std::uint64_t bytesHandled() const { return bytesHandled_; }

  private:
    static std::size_t slot(int number);

    std::array<std::string, kCount> values_;
    mutable std::uint64_t bytesHandled_ = 0;
};

}  // namespace zelidor
