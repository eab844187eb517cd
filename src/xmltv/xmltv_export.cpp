#include "xmltv/xmltv_export.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>

#include "common/text.h"
#include "xmltv/channel_id.h"
#include "xmltv/plain_text.h"

namespace zelidor {

namespace fs = std::filesystem;

namespace {

struct TimedProgramme {
    ProgrammeRow row;
    std::int64_t local = 0;  // wall time, seconds since 1970 as if it were UTC
    int offset = 0;
    bool inRange = false;  // a programme of the day after the range only gives a stop
    std::int64_t utc() const { return local - offset; }
};

struct Channel {
    std::string name;  // Latin-1, as first met
    std::vector<TimedProgramme> programmes;
};

// "20:40", "9:05" or "20.40" (trimmed) as minutes from midnight.
std::optional<int> minutesOfDay(const std::optional<std::string>& hour) {
    if (!hour) {
        return std::nullopt;
    }
    const std::string text = trimBlanks(*hour);
    int h = 0;
    int m = 0;
    char separator = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%2d%c%2d%c", &h, &separator, &m, &extra) != 3 ||
        (separator != ':' && separator != '.') || h < 0 || h > 23 || m < 0 || m > 59 ||
        text.size() < 4 || !std::isdigit(static_cast<unsigned char>(text.back()))) {
        return std::nullopt;
    }
    return h * 60 + m;
}

// "20021205204000 +0100"
std::string xmltvTime(std::int64_t local, int offset) {
    using namespace std::chrono;
    const sys_seconds instant{seconds{local}};
    const auto day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss clock{instant - day};
    const int zone = std::abs(offset) / 60;
    char text[32];
    std::snprintf(
        text, sizeof text, "%04d%02u%02u%02d%02d%02d %c%02d%02d", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
        static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
        static_cast<int>(clock.seconds().count()), offset < 0 ? '-' : '+', zone / 60, zone % 60);
    return text;
}

// file:///path with every byte but the unreserved ones and '/' percent-encoded.
std::string fileAddress(const fs::path& file) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string address = "file://";
    for (char c : file.string()) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            address += c;
        } else {
            address += '%';
            address += kHex[byte >> 4];
            address += kHex[byte & 0x0F];
        }
    }
    return address;
}

std::string text(const std::optional<std::string>& latin1) {
    return latin1 ? plainText(*latin1) : std::string();
}

// Reads the chosen programmes, one channel-day after another in listing order, and gives each
// its local start.
std::map<std::string, Channel> readChannels(ProgrammeStore& store, const XmltvRequest& request,
                                            const Day& from, const TimeZone& zone, int& leftOut) {
    const std::int64_t last =
        request.days > 0 ? from.plusDays(request.days - 1).number() : std::int64_t{99991231};
    // One day more than asked, for the stop of the range's last programmes.
    const std::int64_t readUpTo = request.days > 0 ? from.plusDays(request.days).number() : last;
    Statement query = store.database().prepare(
        "SELECT " + std::string(ProgrammeStore::kColumns) +
        " FROM Programmi WHERE Data >= ?1 AND Data <= ?2 ORDER BY Palinsesto, Data, Numerazione");
    query.bind(1, from.number()).bind(2, readUpTo);

    std::map<std::string, Channel> channels;
    std::optional<std::string> channelDay;  // "Palinsesto/Data" of the rows being read
    int previous = 0;
    int daysAhead = 0;
    while (query.step()) {
        ProgrammeRow row = ProgrammeStore::rowFrom(query);
        const std::string name = row.palinsesto.value_or("");
        if (!request.channels.empty() && std::find(request.channels.begin(), request.channels.end(),
                                                   name) == request.channels.end()) {
            continue;
        }
        const std::int64_t listingDay = row.data.value_or(0);
        const bool inRange = listingDay <= last;
        const std::string key = name + "/" + std::to_string(listingDay);
        if (channelDay != key) {
            channelDay = key;
            previous = 0;
            daysAhead = 0;
        }
        auto minutes = minutesOfDay(row.ora);
        if (!minutes) {
            leftOut += inRange ? 1 : 0;
            continue;
        }
        if (*minutes < previous) {
            ++daysAhead;  // past midnight
        }
        previous = *minutes;
        const Day day = Day::fromNumber(listingDay);
        TimedProgramme timed;
        timed.local = civilSeconds(day.year, day.month, day.day) + std::int64_t{daysAhead} * 86400 +
                      std::int64_t{*minutes} * 60;
        timed.offset = zone.offsetOfLocal(timed.local);
        timed.inRange = inRange;
        timed.row = std::move(row);
        Channel& channel = channels[xmltvChannelId(name)];
        if (channel.name.empty()) {
            channel.name = name;
        }
        channel.programmes.push_back(std::move(timed));
    }
    return channels;
}

void writeProgramme(std::ostream& out, const std::string& id, const TimedProgramme& programme,
                    const TimedProgramme* next, const std::string& title,
                    const fs::path& coversFolder) {
    out << "  <programme start=\"" << xmltvTime(programme.local, programme.offset) << '"';
    if (next) {
        out << " stop=\"" << xmltvTime(next->local, next->offset) << '"';
    }
    out << " channel=\"" << id << "\">\n";
    out << "    <title lang=\"it\">" << xmlEscaped(title) << "</title>\n";
    if (std::string desc = text(programme.row.commenti); !desc.empty()) {
        out << "    <desc lang=\"it\">" << xmlEscaped(desc) << "</desc>\n";
    }
    if (std::string category = text(programme.row.type); !category.empty()) {
        out << "    <category lang=\"it\">" << xmlEscaped(category) << "</category>\n";
    }
    if (programme.row.cover && !programme.row.cover->empty()) {
        const fs::path picture = coversFolder / latin1ToUtf8(*programme.row.cover);
        std::error_code error;
        if (fs::is_regular_file(picture, error)) {
            out << "    <icon src=\"" << xmlEscaped(fileAddress(picture)) << "\"/>\n";
        }
    }
    if (std::string url = text(programme.row.link); !url.empty()) {
        out << "    <url>" << xmlEscaped(url) << "</url>\n";
    }
    out << "  </programme>\n";
}

}  // namespace

XmltvSummary writeXmltv(ProgrammeStore& store, const fs::path& appFolder,
                        const XmltvRequest& request, const TimeZone& zone, std::ostream& out) {
    XmltvSummary summary;
    summary.zoneFromDatabase = zone.fromDatabase();
    const Day from = request.from.value_or(Day::today());
    std::map<std::string, Channel> channels =
        readChannels(store, request, from, zone, summary.leftOut);
    const fs::path coversFolder = fs::absolute(appFolder) / "covers";

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
           "<tv generator-info-name=\"Zelidor\">\n";
    // Titles decide which programmes are written, and so which channels have any.
    std::map<std::string, std::vector<std::string>> titles;
    for (auto& [id, channel] : channels) {
        std::stable_sort(
            channel.programmes.begin(), channel.programmes.end(),
            [](const TimedProgramme& a, const TimedProgramme& b) { return a.utc() < b.utc(); });
        auto& list = titles[id];
        bool any = false;
        for (const auto& programme : channel.programmes) {
            list.push_back(programme.inRange ? text(programme.row.titolo) : std::string());
            if (programme.inRange && list.back().empty()) {
                ++summary.leftOut;
            }
            any = any || !list.back().empty();
        }
        if (any) {
            ++summary.channels;
            // The name comes from a file name, which may hold characters XML cannot carry.
            out << "  <channel id=\"" << id << "\">\n    <display-name lang=\"it\">"
                << xmlEscaped(plainText(channel.name)) << "</display-name>\n  </channel>\n";
        }
    }
    for (const auto& [id, channel] : channels) {
        const auto& programmes = channel.programmes;
        for (std::size_t i = 0; i < programmes.size(); ++i) {
            const std::string& title = titles[id][i];
            if (title.empty()) {
                continue;
            }
            // The next programme that starts later (a repeated start does not end it).
            const TimedProgramme* next = nullptr;
            for (std::size_t j = i + 1; j < programmes.size() && !next; ++j) {
                if (programmes[j].utc() > programmes[i].utc()) {
                    next = &programmes[j];
                }
            }
            writeProgramme(out, id, programmes[i], next, title, coversFolder);
            ++summary.programmes;
        }
    }
    out << "</tv>\n";
    return summary;
}

XmltvSummary exportXmltvFile(const fs::path& appFolder, const XmltvRequest& request,
                             const fs::path& file) {
    ProgrammeStore store(ProgrammeStore::defaultFile(appFolder), Database::Mode::ReadOnly);
    fs::path part = file;
    part += ".part";
    XmltvSummary summary;
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw std::runtime_error("cannot write " + part.string());
        }
        summary = writeXmltv(store, appFolder, request, TimeZone::italy(), out);
        if (!out.flush()) {
            out.close();
            fs::remove(part);
            throw std::runtime_error("cannot write " + part.string());
        }
    }
    std::error_code error;
    fs::rename(part, file, error);
    if (error) {
        fs::remove(part);
        throw std::runtime_error("cannot write " + file.string() + ": " + error.message());
    }
    return summary;
}

}  // namespace zelidor
