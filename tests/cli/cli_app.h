// zelidor-cli run as the user runs it, on an application folder holding a few channel files, one
// card template and programmes stored directly; checked by what it prints, the files it writes
// and its exit code.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/programme_store.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zelidor::test {

inline constexpr std::int64_t kDay = 20240105;

// One line per section, so a page can be compared line by line.
inline constexpr const char* kTemplate =
    "<h1><TV_TITLE> <TV_TODAY></h1>\r\n<!--END_HEAD-->\r\n"
    "<p><TV_HOUR>|<!--BEGIN_LINK_FLAG--><PR_TITLE><!--END_LINK_FLAG-->|<PR_TIPO>|<PR_TV></p>\r\n"
    "<!--END_BODY-->\r\n<hr>\r\n<!--BEGIN_DESCRIPTION-->\r\n"
    "<div id=\"<!--NAME_FLAG-->\"><PR_TITLE>: <TV_DESCRIPTION> <TV_COVER></div>\r\n"
    "<!--END_DESCRIPTION-->\r\n</body>\r\n";

inline std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CliProgram : public testing::Test {
  protected:
    void SetUp() override {
        app.makeAppFolders();
        addChannel("Canale 5", "2");
        addChannel("Rai Uno", "2");
        addChannel("Eurosport", "4");
        addChannel("Zeta", "7");  // no such category: not in the catalogue
        writeFile(app / "htmlcards/linee.htm", kTemplate);
        ProgrammeStore store(ProgrammeStore::defaultFile(app.path()));
        store.insert({kDay, "20:00", "Notizie della sera", "http://tv.example/1",
                      "Le notizie del giorno", "n1.jpg", "Canale 5", 1, "Informazione"});
        store.insert({kDay, "21:00", "Il grande film", {}, {}, {}, "Canale 5", 2, "Film"});
        store.insert({kDay, "18:00", "Film della sera", {}, "Un film", {}, "Rai Uno", 1, "film"});
        store.insert({kDay, "23:00", "Film di mezzanotte", {}, {}, {}, "Canale 5", 3, "Film"});
        store.insert({kDay - 1, "19:00", "Notizie", {}, {}, {}, "Rai Uno", 1, "Informazione"});
    }

    void addChannel(const std::string& name, const std::string& category) const {
        writeFile(
            app / ("TV/" + name + ".zdr"),
            "Zelidor - canale " + name + "\r\n#ANTENNA#=" + category +
                "\r\n#DATEBUILD#=01/02/2024\r\n#MADEBY#=Ada\r\n#WEBSITE#=http://tv.example\r\n");
    }

    ProcessEnd run(std::vector<std::string> args) const {
        return runCli(app.path(), std::move(args));
    }

    TempDir app;
};

}  // namespace zelidor::test
