#include "engine/channel_table.h"

#include <array>

namespace zelidor {

namespace {

using enum ChannelCategory;

constexpr std::array<ChannelInfo, 51> kChannels = {{
    {"24Ore", "24Ore", 6, 11, Satellite},
    {"Alice", "Alice", 6, 11, Satellite},
    {"Calcio Stream", "Calcio+Stream", 6, 11, Sport},
    {"Canal Jimmy", "Canal+Jimmy", 6, 11, Satellite},
    {"Canale 5", "Canale+5", 6, 11, Television},
    {"Canale Viaggi", "Canale+Viaggi", 6, 11, Satellite},
    {"Cartoon Network", "Cartoon+Network", 6, 11, Children},
    {"Cine Movie", "Cine+Movie", 6, 11, Cinema},
    {"CineCinemas 1", "CineCinemas+1", 6, 11, Cinema},
    {"CineCinemas 2", "CineCinemas+2", 6, 11, Cinema},
    {"CineClassics", "CineClassics", 6, 11, Cinema},
    {"Cinema Stream", "Cinema+Stream", 6, 11, Cinema},
    {"Comedy Life", "Comedy+Life", 6, 11, Satellite},
    {"Cult Network", "Cult+Network", 6, 11, Satellite},
    {"D+F1", "D+F1", 6, 11, Sport},
    {"Discovery Channel", "Discovery+Channel", 6, 11, Satellite},
    {"Disney Channel", "Disney+Channel", 6, 11, Children},
    {"Duel TV", "Duel+TV", 6, 11, Cinema},
    {"EuroSport", "Eurosport", 6, 11, Sport},
    {"Fox Kids", "Fox+Kids", 6, 11, Children},
    {"Hallmark", "Hallmark", 6, 11, Cinema},
    {"Happy Channel", "Happy+Channel", 6, 11, Satellite},
    {"Italia 1", "Italia+1", 6, 11, Television},
    {"La 7", "La+7", 29, 10, Television},
    {"Leonardo", "Leonardo", 6, 11, Satellite},
    {"MarcoPolo", "MarcoPolo", 6, 11, Satellite},
    {"MTChannel", "MTChannel", 6, 11, Satellite},
    {"MTV Italia", "MTV+Italia", 6, 11, Television},
    {"National Geographic Channel", "National+Geographic+Channel", 6, 11, Satellite},
    {"Nuvolari", "Nuvolari", 6, 11, Sport},
    {"Planete", "Planete", 6, 11, Satellite},
    {"Rai Due", "Rai+Due", 6, 11, Television},
    {"Rai Sport Sat", "Rai+Sport+Sat", 6, 11, Sport},
    {"Rai Tre", "Rai+Tre", 6, 11, Television},
    {"Rai Uno", "Rai+Uno", 6, 11, Television},
    {"RaiSat Album", "RaiSat+Album", 6, 11, Satellite},
    {"RaiSat Art", "RaiSat+Art", 6, 11, Satellite},
    {"RaiSat Cinema", "RaiSat+Cinema", 6, 11, Cinema},
    {"RaiSat Fiction", "RaiSat+Fiction", 6, 11, Satellite},
    {"RaiSat Gambero Rosso", "RaiSat+Gambero+Rosso", 6, 11, Satellite},
    {"RaiSat Ragazzi", "RaiSat+Ragazzi", 6, 11, Children},
    {"RaiSat Show", "RaiSat+Show", 6, 11, Satellite},
    {"Rete 4", "Rete+4", 6, 11, Television},
    {"Salute Benessere", "Salute+Benessere", 6, 11, Satellite},
    {"Seasons", "Seasons", 6, 11, Satellite},
    {"Sport Stream", "Sport+Stream", 6, 11, Sport},
    {"Studio Universal", "Studio+Universal", 6, 11, Cinema},
    {"Tele+ Bianco", "Tele%2B+Bianco", 7, 11, Cinema},
    {"Tele+ Grigio", "Tele%2B+Grigio", 31, 13, Cinema},
    {"Tele+ Nero", "Tele%2B+Nero", 15, 7, Cinema},
    {"VIVA - Rete A", "VIVA+-+Rete+A", 6, 11, Television},
}};

}  // namespace

std::span<const ChannelInfo> builtinChannels() {
    return kChannels;
}

const ChannelInfo* findChannelByScriptName(std::string_view scriptName) {
    for (const ChannelInfo& channel : kChannels) {
        if (scriptName.size() == channel.name.size() + 4 && scriptName.starts_with(channel.name) &&
            scriptName.ends_with(".zdr")) {
            return &channel;
        }
    }
    return nullptr;
}

std::string listingQueryTemplate(const ChannelInfo& channel) {
    std::string query = "/canali.phtml?giorno2=#DAY#%2F#MONTH#%2F#SHORTYEAR#&channel=";
    query += channel.value;
    query += "&x=" + std::to_string(channel.x) + "&y=" + std::to_string(channel.y);
    return query;
}

}  // namespace zelidor
