// The 51 text variables #00# to #50# of the script language. They start empty with the engine
// and are never cleared by it: a value survives into the next channel-day until a script
// overwrites it. Numbers, columns and flags are held as decimal text.
#pragma once

#include <array>
#include <string>

namespace zelidor {

class ScriptVars {
  public:
    static constexpr int kCount = 51;

    // A number outside 0..50 is a run-time failure of the script (ScriptFailure).
    const std::string& get(int number) const;
    void set(int number, std::string value);

    const std::array<std::string, kCount>& all() const { return values_; }

  private:
    static std::size_t slot(int number);

    std::array<std::string, kCount> values_;
};

}  // namespace zelidor
