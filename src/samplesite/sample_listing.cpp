#include "samplesite/sample_listing.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "samplesite/sample_random.h"
#include "samplesite/sample_schedule.h"
#include "samplesite/sample_vocabulary.h"
#include "samplesite/site_calendar.h"

namespace zelidor::samplesite {

namespace {

constexpr std::size_t kCodeLength = 10;
constexpr int kLastSerial = 36524;  // 31 December 2069, the end of the site's window

std::size_t channelIndex(const ChannelInfo& channel) {
    auto channels = builtinChannels();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].name == channel.name) {
            return i;
        }
    }
    throw std::invalid_argument("the sample site has no channel " + std::string(channel.name));
}

std::string_view storiesFor(std::string_view type) {
    if (type == "Film" || type == "Film TV") {
        return "trame-film";
    }
    if (type == "Telefilm") {
        return "trame-serie";
    }
    if (type == "Sport") {
        return "trame-sport";
    }
    if (type == "Musica") {
        return "trame-musica";
    }
    if (type == "documentari") {
        return "trame-documentari";
    }
    if (type == "Notiziario") {
        return "trame-notizie";
    }
    if (type == "Cartoni") {
        return "trame-cartoni";
    }
    if (type == "Spettacolo") {
        return "trame-spettacolo";
    }
    if (type == "Soap Opera") {
        return "trame-soap";
    }
    return "trame-rubriche";
}

std::string performers(SampleRandom& random, int count) {
    std::span<const std::string_view> names = wordList("interprete");
    std::vector<std::string_view> chosen;
    while (static_cast<int>(chosen.size()) < count) {
        std::string_view name = random.pick(names);
        if (std::find(chosen.begin(), chosen.end(), name) == chosen.end()) {
            chosen.push_back(name);
        }
    }
    std::string text;
    for (std::string_view name : chosen) {
        text += text.empty() ? "" : ", ";
        text += name;
    }
    return text;
}

CastBlock filmCredits(SampleRandom& random, int siteYear) {
    CastBlock cast{"Film", std::nullopt, {}};
    if (random.chance(30)) {
        cast.preface = "<font class=\"crediti\">";
    }
    std::string& text = cast.credits;
    text = fillPattern("Regia di {nome} {cognome}.<br>Con:", random);
    text += random.chance(25) ? "&nbsp;" : " ";
    std::string names = performers(random, random.between(2, 4));
    text += random.chance(20) ? "<i>" + names + "</i>" : names;
    if (random.chance(20)) {
        text += "<br>&Egrave; vietato ai minori di 14 anni.";
    }
    text += "<BR>(" + fillPattern("{paese}", random) + ", " +
            std::to_string(random.between(siteYear - 50, siteYear - 1)) + ")";
    if (cast.preface) {
        text += "</font>";
    }
    return cast;
}

SampleProgramme makeProgramme(std::string_view type, std::string hour, SampleRandom& random,
                              int siteYear) {
    SampleProgramme programme;
    programme.hour = std::move(hour);
    programme.type = std::string(type);
    // Now and then a blank inside the class value, which the engine trims away.
    programme.typeClass = programme.type + (random.chance(8) ? " " : "");
    programme.title = composeFrom("titoli-" + std::string(type), random, programme.hour);
    if (random.chance(80)) {
        std::string story = composeFrom(storiesFor(type), random);
        if (random.chance(40)) {
            story += composeFrom("finali", random);
        }
        programme.description = story;
    }
    if (type == "Film" || type == "Film TV") {
        programme.cast = filmCredits(random, siteYear);
    } else if (type == "Telefilm" && random.chance(40)) {
        programme.cast =
            CastBlock{"Telefilm", std::nullopt, "Con: " + performers(random, random.between(2, 3))};
    }
    if (random.chance(type == "Notiziario" ? 30 : 70)) {
        programme.poster = random.below(kSamplePictureCount);
    }
    return programme;
}

}  // namespace

std::string programmeCode(std::size_t channelIndex, const Day& day, int row) {
    char code[16];
    std::snprintf(code, sizeof code, "1%02zu%05d%02d", channelIndex + 1, daySerial(siteDay(day)),
                  row);
    return code;
}

std::optional<CodeLocation> locateCode(std::string_view code) {
    if (code.size() != kCodeLength || code[0] != '1' ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            value = value * 10 + (code[i] - '0');
        }
        return value;
    };
    int channelNumber = number(1, 2);
    int serial = number(3, 5);
    int row = number(8, 2);
    auto channels = builtinChannels();
    if (channelNumber < 1 || channelNumber > static_cast<int>(channels.size()) ||
        serial > kLastSerial || row < 1) {
        return std::nullopt;
    }
    return CodeLocation{&channels[static_cast<std::size_t>(channelNumber - 1)],
                        dayFromSerial(serial), row};
}

ChannelDayListing sampleListing(const ChannelInfo& channel, const Day& day) {
    std::size_t index = channelIndex(channel);
    ChannelDayListing listing{&builtinChannels()[index], siteDay(day), {}};
    SampleRandom random(mixSeed(index + 1, static_cast<std::uint64_t>(daySerial(listing.day))));

    ChannelTheme theme = channelTheme(channel);
    std::vector<std::string_view> types(
        static_cast<std::size_t>(drawProgrammeCount(theme, random)));
    for (std::string_view& type : types) {
        type = drawProgrammeType(theme, random);
    }
    std::vector<std::string> hours = startHours(types, random);
    for (std::size_t i = 0; i < types.size(); ++i) {
        SampleProgramme programme = makeProgramme(types[i], hours[i], random, listing.day.year);
        programme.row = static_cast<int>(i + 1);
        programme.code = programmeCode(index, listing.day, programme.row);
        listing.programmes.push_back(std::move(programme));
    }
    return listing;
}

}  // namespace zelidor::samplesite
