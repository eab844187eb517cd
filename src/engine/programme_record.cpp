#include "engine/programme_record.h"

#include <algorithm>
#include <optional>

namespace zelidor {

namespace {

std::optional<std::string> unlessEmpty(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::int64_t> dayNumber(std::string_view dayStamp) {
    if (dayStamp.size() != 8 || !std::all_of(dayStamp.begin(), dayStamp.end(),
                                             [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoll(std::string(dayStamp));
}

}  // namespace

std::string channelNameOf(std::string_view scriptName) {
    if (scriptName.size() < 4) {
        return {};
    }
    return std::string(scriptName.substr(0, scriptName.size() - 4));
}

ProgrammeRow programmeRowFrom(const ProgrammeRecord& record, std::string_view dayStamp,
                              std::string_view scriptName, int numerazione) {
    ProgrammeRow row;
    row.data = dayNumber(dayStamp);
    row.ora = unlessEmpty(record.hour);
    row.titolo = unlessEmpty(record.title);
    row.link = unlessEmpty(record.link);
    row.commenti = unlessEmpty(record.comments);
    row.cover = unlessEmpty(record.cover);
    row.palinsesto = unlessEmpty(channelNameOf(scriptName));
    row.numerazione = numerazione;
    row.type = unlessEmpty(record.type);
    return row;
}

}  // namespace zelidor
