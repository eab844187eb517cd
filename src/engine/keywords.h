// The 32 instruction keywords of the channel script language, in the order in which a line is
// tested against them: a line that holds two keywords runs the one that comes first here,
// wherever the two stand in the line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelidor {

enum class Keyword : std::uint8_t {
    FindLine,
    SaveData,
    TakeType,
    TakeCode,
    TakeHour,
    TakeLink,
    TakeTitle,
    Find,
    TakeWord,
    TakeWordLen,
    Put,
    Repeat,
    While,
    ReadNextLine,
    StartGoDeep,
    EndGoDeep,
    If,
    Title,
    ResetCursor,
    SetCursor,
    TakeComments,
    ComputeCursor,
    PutCursor,
    CheckVariable,
    StartDeleteTags,
    StartSubstituteTags,
    Goto,
    StartReadWeb,
    TakePoster,
    String,
    RestoreWeb,
    OpenNewWeb,
};

inline constexpr std::size_t kKeywordCount = 32;

// Keyword texts indexed by Keyword.
inline constexpr std::array<std::string_view, kKeywordCount> kKeywordTexts = {
    "#FINDLINE#=",
    "#SAVEDATA#",
    "#TAKETYPE#=",
    "#TAKECODE#=",
    "#TAKEHOUR#=",
    "#TAKELINK#=",
    "#TAKETITLE#=",
    "#FIND#=",
    "#TAKEWORD#=",
    "#TAKEWORDLEN#=",
    "#PUT#=",
    "#REPEAT#",
    "#WHILE#",
    "#READNEXTLINE#",
    "#STARTGODEEP#",
    "#ENDGODEEP#",
    "#IF#",
    "#TITLE#",
    "#RESETCURSOR#",
    "#SETCURSOR#",
    "#TAKECOMMENTS#",
    "#COMPUTECURSOR#",
    "#PUTCURSOR#",
    "#CHECKVARIABLE#",
    "#STARTDELETETAGS#",
    "#STARTSUBSTITUTETAGS#",
    "#GOTO#",
    "#STARTREADWEB#",
    "#TAKEPOSTER#",
    "#STRING#",
    "#RESTOREWEB#",
    "#OPENNEWWEB#",
};

constexpr std::string_view keywordText(Keyword keyword) {
    return kKeywordTexts[static_cast<std::size_t>(keyword)];
}

struct KeywordMatch {
    Keyword keyword;
    std::size_t position;  // 1-based column where the keyword starts (KeywordPos)
};

// The instruction a script line holds: the first keyword of the list that occurs anywhere in
// the line, without regard to letter case. No value for an inert line.
std::optional<KeywordMatch> matchKeyword(std::string_view line);

}  // namespace zelidor
