#include "samplesite/expected_records.h"

#include <array>

#include "common/text.h"

namespace zelidor::samplesite {

namespace {

// In the order the built-in script's delete list holds them; matched exactly (letter case
// counts), each replaced by one blank.
constexpr std::array<std::string_view, 14> kDeletedTags = {
    "&nbsp;", "<BR>", "</BR>", "</br>", "</P>",    "<B>",  "</B>",
    "<i>",    "</i>", "<b>",   "</b>",  "</font>", "</A>", "</BLOCKQUOTE>"};

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamedEntities = {{
    {"&egrave;", "\xE8"},
    {"&Egrave;", "E'"},
    {"&agrave;", "\xE0"},
    {"&ograve;", "\xF2"},
    {"&ugrave;", "\xF9"},
    {"&igrave;", "\xEC"},
}};

std::optional<std::string> nonEmpty(std::string text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> comments(const SampleProgramme& programme) {
    std::string text = programme.description ? trimBlanks(*programme.description) : "";
    if (programme.hasFilmCredits()) {
        text += "--------->" + cleanedCredits(programme.cast->credits);
    }
    return nonEmpty(std::move(text));
}

}  // namespace

std::string cleanedCredits(std::string_view credits) {
    std::string text(credits);
    for (std::string_view tag : kDeletedTags) {
        text = replaceAll(text, tag, " ");
    }
    text = replaceAll(text, "<br>", " | ");
    for (int code = 160; code <= 254; ++code) {
        std::string reference = "&#" + std::to_string(code) + ";";
        std::string letter = code == 160 ? " " : std::string(1, static_cast<char>(code));
        text = replaceAll(text, reference, letter);
    }
    for (const auto& [entity, letters] : kNamedEntities) {
        text = replaceAll(text, entity, letters);
    }
    return trimBlanks(text);
}

std::string coverFileBase(std::string_view channelName, std::string_view code) {
    std::string base = std::string(channelName) + "_" + std::string(code);
    for (char& c : base) {
        if (std::string_view("' /():<>*?").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return base;
}

std::vector<ProgrammeRow> expectedRecordsFor(const ChannelDayListing& listing, const Day& day,
                                             std::string_view host, DownloadMode mode) {
    std::vector<ProgrammeRow> rows;
    rows.reserve(listing.programmes.size());
    for (const SampleProgramme& programme : listing.programmes) {
        ProgrammeRow row;
        row.data = day.number();
        row.ora = nonEmpty(trimBlanks(programme.hour));
        row.titolo = nonEmpty(trimBlanks(programme.title));
        row.link = "http://" + std::string(host) + "/programmi.phtml?codice=" + programme.code;
        if (mode == DownloadMode::WithDetails) {
            row.commenti = comments(programme);
            if (programme.poster) {
                row.cover = coverFileBase(listing.channel->name, programme.code) + ".jpg";
            }
        }
        row.palinsesto = std::string(listing.channel->name);
        row.numerazione = programme.row;
        row.type = nonEmpty(trimBlanks(programme.typeClass));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ProgrammeRow> expectedRecords(const ChannelInfo& channel, const Day& day,
                                          std::string_view host, DownloadMode mode) {
    return expectedRecordsFor(sampleListing(channel, day), day, host, mode);
}

}  // namespace zelidor::samplesite
