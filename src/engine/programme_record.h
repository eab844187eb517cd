// The programme a running script assembles field by field, and the row of Programmi that
// #SAVEDATA# makes of it.
#pragma once

#include <string>
#include <string_view>

#include "engine/programme_store.h"

namespace zelidor {

// Empty means "not filled since the last reset"; the record has no separate null state.
struct ProgrammeRecord {
    std::string code;  // names the cover file; never stored in the table
    std::string hour;
    std::string title;
    std::string link;
    std::string type;
    std::string comments;
    std::string cover;  // file name under covers/

    void reset() { *this = ProgrammeRecord{}; }
};

// The channel name of a script: the script name without its last four characters (".zdr").
std::string channelNameOf(std::string_view scriptName);

// The row #SAVEDATA# stores: empty fields become null columns, Data is the day "yyyymmdd" as a
// number (null when dayStamp is not eight digits), Palinsesto the channel name.
ProgrammeRow programmeRowFrom(const ProgrammeRecord& record, std::string_view dayStamp,
                              std::string_view scriptName, int numerazione);

}  // namespace zelidor
