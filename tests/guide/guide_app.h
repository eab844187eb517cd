// An application folder in a temporary folder with the programme database, card templates and
// channel files that the guide's tests put into it.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/programme_store.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

namespace zelidor::test {

struct Programme {
    std::int64_t day;
    std::string channel;
    std::int64_t number;
    std::optional<std::string> hour;
    std::optional<std::string> title;
    std::optional<std::string> type = std::nullopt;
    std::optional<std::string> comments = std::nullopt;
    std::optional<std::string> cover = std::nullopt;
    std::optional<std::string> link = std::nullopt;
};

class GuideApp {
  public:
    GuideApp() { dir.makeAppFolders(); }
    const std::filesystem::path& path() const { return dir.path(); }

    void add(std::initializer_list<Programme> programmes) const {
        ProgrammeStore store(ProgrammeStore::defaultFile(path()));
        for (const Programme& p : programmes) {
            store.insert(ProgrammeRow{p.day, p.hour, p.title, p.link, p.comments, p.cover,
                                      p.channel, p.number, p.type});
        }
    }

    // A card template whose lines end in CR LF.
    void addTemplate(const std::string& name, std::initializer_list<std::string> lines) const {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        writeFile(dir / ("htmlcards/" + name), text);
    }

    std::string page() const { return readFile(dir / "temp.htm"); }

    TempDir dir;
};

// The marker template of the card page format: one line per section.
inline void addLineTemplate(const GuideApp& app, const std::string& name = "t.htm") {
    app.addTemplate(name, {"<h1><TV_TITLE> <TV_TODAY></h1>", "<!--END_HEAD-->",
                           "<p><TV_HOUR>|<!--BEGIN_LINK_FLAG--><PR_TITLE><!--END_LINK_FLAG-->|"
                           "<PR_TIPO>|<PR_TV></p>",
                           "<!--END_BODY-->", "<hr>", "<!--BEGIN_DESCRIPTION-->",
                           "<div id=\"<!--NAME_FLAG-->\"><TV_HOUR> <PR_TITLE>: <TV_DESCRIPTION> "
                           "<TV_WEBLINK> <TV_TYPE> <TV_COVER></div>",
                           "<!--END_DESCRIPTION-->", "</body>"});
}

}  // namespace zelidor::test
