// The stored listings as an XMLTV document for media centres, TV servers and other guides:
// one <channel> per channel with programmes (id from xmltvChannelId(), its name as display
// name) and one <programme> per stored programme with its start and stop in Italian local time
// and offset, title, description, category (lang "it"), cover (a file: address) and web link,
// sorted by channel and start.
//
// Times: a channel-day's programmes are read in their listing order; an hour lower than the one
// before it belongs to the next calendar day (listings run past midnight). The local time is
// turned into its offset with the Europe/Rome zone (see time_zone.h). A programme stops when the
// channel's next one starts; the channel's last one has no stop.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/day.h"
#include "engine/programme_store.h"
#include "xmltv/time_zone.h"

namespace zelidor {

struct XmltvRequest {
    std::optional<Day> from;            // first listing day; none: today
    int days = 0;                       // number of listing days; 0: every stored day from `from`
    std::vector<std::string> channels;  // Latin-1 names; empty: every channel with programmes
};

struct XmltvSummary {
    int channels = 0;
    int programmes = 0;
    // Stored programmes left out: no readable hour ("HH:MM" or "HH.MM") or no title.
    int leftOut = 0;
    // False when the tz database was missing and the built-in European rule was used.
    bool zoneFromDatabase = true;
};

// Writes the document for the programmes of store; covers are looked up in appFolder/covers.
XmltvSummary writeXmltv(ProgrammeStore& store, const std::filesystem::path& appFolder,
                        const XmltvRequest& request, const TimeZone& zone, std::ostream& out);

// The export of an application folder's database into a file, as the main window's menu entry
// and the command line make it: the file is written whole or left as it was. Throws
// StoreError for a database that cannot be read and std::runtime_error for a file that cannot
// be written.
XmltvSummary exportXmltvFile(const std::filesystem::path& appFolder, const XmltvRequest& request,
                             const std::filesystem::path& file);

}  // namespace zelidor
