// The guide's commands of zelidor-cli run as the user runs them: the real program on an
// application folder holding a few channel files, one card template and programmes stored
// directly, checked by what it prints, the files it writes and its exit code.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_runner.h"
#include "engine/programme_store.h"
#include "support/temp_dir.h"

namespace zelidor::test {
namespace {

constexpr std::int64_t kDay = 20240105;

// One line per section, so a page can be compared line by line.
constexpr const char* kTemplate =
    "<h1><TV_TITLE> <TV_TODAY></h1>\r\n<!--END_HEAD-->\r\n"
    "<p><TV_HOUR>|<!--BEGIN_LINK_FLAG--><PR_TITLE><!--END_LINK_FLAG-->|<PR_TIPO>|<PR_TV></p>\r\n"
    "<!--END_BODY-->\r\n<hr>\r\n<!--BEGIN_DESCRIPTION-->\r\n"
    "<div id=\"<!--NAME_FLAG-->\"><PR_TITLE>: <TV_DESCRIPTION> <TV_COVER></div>\r\n"
    "<!--END_DESCRIPTION-->\r\n</body>\r\n";

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class GuideCommands : public testing::Test {
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

    CliRun run(std::vector<std::string> args) const { return runCli(app.path(), std::move(args)); }

    // A failure the user must fix: exit code 1 and one line on standard error that names it.
    void expectRefused(std::vector<std::string> args, const std::string& reason) const {
        CliRun result = run(args);
        EXPECT_EQ(result.exitCode, 1) << args.front();
        EXPECT_EQ(lineCount(result.err), 1u) << result.err;
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    }

    TempDir app;
};

TEST_F(GuideCommands, HelpNamesEveryCommandAndTheReportTypes) {
    CliRun help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"channels", "card", "report", "search", "monitor", "compact"}) {
        EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    }
    CliRun report = run({"report", "--help"});
    EXPECT_NE(report.out.find("'Tutti i Tipi' for every type"), std::string::npos);
    EXPECT_NE(report.out.find("'documentari', 'Ragazzi', 'Sport'"), std::string::npos);
}

TEST_F(GuideCommands, ChannelsListTheCatalogueAlphabeticallyAndByCategory) {
    CliRun all = run({"channels"});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.out,
              "Canale 5\t2 Televisione\t01/02/2024\tAda\thttp://tv.example\n"
              "Eurosport\t4 Sport\t01/02/2024\tAda\thttp://tv.example\n"
              "Rai Uno\t2 Televisione\t01/02/2024\tAda\thttp://tv.example\n");
    EXPECT_NE(all.err.find("status: *\n"), std::string::npos);  // Zeta's category

    CliRun sport = run({"channels", "--category", "4"});
    EXPECT_EQ(sport.out, "Eurosport\t4 Sport\t01/02/2024\tAda\thttp://tv.example\n");

    std::filesystem::remove_all(app / "TV");
    CliRun broken = run({"channels"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_NE(broken.err.find("Doesn't Exist !  -> Bad Installation??"), std::string::npos);
}

TEST_F(GuideCommands, CardWritesTheChannelDayWithTheChosenTemplateAndPrintsItsPath) {
    // The settings choose the only template; -o copies the page and prints the copy's path.
    CliRun card = run({"card", "--channel", "Canale 5", "--day", "20240105"});
    ASSERT_EQ(card.exitCode, 0) << card.err;
    EXPECT_EQ(card.out, (app / "temp.htm").string() + "\n");
    EXPECT_EQ(readFile(app / "temp.htm"),
              "<h1>Canale 5 05/01/2024</h1>\r\n\r\n"
              "<p>20:00|<a href='#1'>Notizie della sera</a>|Informazione|<PR_TV></p>\r\n"
              "<p>21:00|<!---->Il grande film<!---->|Film|<PR_TV></p>\r\n"
              "<p>23:00|<!---->Film di mezzanotte<!---->|Film|<PR_TV></p>\r\n\r\n"
              "<hr>\r\n\r\n"
              "<div id=\"1\">Notizie della sera: Le notizie del giorno covers\\n1.jpg</div>\r\n\r\n"
              "</body>\r\n\r\n");

    TempDir elsewhere;
    CliRun copy = run({"card", "--channel", "Rai Uno", "--day", "20240105", "--template", "linee",
                       "-o", (elsewhere / "rai.htm").string()});
    ASSERT_EQ(copy.exitCode, 0) << copy.err;
    EXPECT_EQ(copy.out, (elsewhere / "rai.htm").string() + "\n");
    EXPECT_EQ(readFile(elsewhere / "rai.htm"), readFile(app / "temp.htm"));
    // Its covers are linked relative to the copy, which is not beside the covers folder.
    EXPECT_NE(copy.err.find((app / "covers").string()), std::string::npos) << copy.err;
}

TEST_F(GuideCommands, CardRefusesWhatItCannotShowWithOneLineOfReason) {
    const std::vector<std::string> canale5 = {"card", "--channel", "Canale 5", "--day"};
    auto with = [&](std::initializer_list<std::string> more) {
        std::vector<std::string> args = canale5;
        args.insert(args.end(), more);
        return args;
    };
    expectRefused(with({"20240105", "--template", "nope.htm"}), "no card template 'nope.htm' in " +
                                                                    (app / "htmlcards").string() +
                                                                    " (there are: linee.htm)");
    expectRefused(with({"20240230"}), "--day takes today or a day written YYYYMMDD");
    expectRefused({"card", "--channel", "Zeta", "--day", "20240105"}, "no channel 'Zeta'");
    expectRefused(with({"20240105", "-o", (app / "missing/page.htm").string()}),
                  "cannot write the page to " + (app / "missing/page.htm").string());

    // A fresh installation without templates has none chosen: the program's own message.
    TempDir bare;
    bare.makeAppFolders();
    std::filesystem::copy(app / "TV", bare / "TV");
    CliRun unchosen = runCli(bare.path(), with({"20240105"}));
    EXPECT_EQ(unchosen.exitCode, 1);
    EXPECT_EQ(unchosen.err, "Zelidor: Non e' stata selezionata nessuna CARD!\n");
}

TEST_F(GuideCommands, ReportListsOneTypeOfTheDayOverAllChannels) {
    TempDir out;
    CliRun report =
        run({"report", "--day", "20240105", "--type", "FILM", "-o", (out / "report.htm").string()});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    EXPECT_EQ(report.out, (out / "report.htm").string() + "\n");
    std::string page = readFile(out / "report.htm");
    EXPECT_NE(page.find("<h1>REPORT GIORNALIERO 05/01/2024</h1>"), std::string::npos);
    // By hour: Rai Uno's film first; the news is of another type.
    std::size_t rai = page.find("<p>18:00|<a href='#1'>Film della sera</a>|film|Rai Uno</p>");
    std::size_t canale5 = page.find("<p>21:00|<!---->Il grande film<!---->|Film|Canale 5</p>");
    EXPECT_LT(rai, canale5);
    EXPECT_NE(canale5, std::string::npos);
    EXPECT_EQ(page.find("Notizie"), std::string::npos);
}

TEST_F(GuideCommands, SearchPrintsTheResultTreeIndentedByLevel) {
    CliRun fromDay = run({"search", "NOTIZIE", "--day", "20240105"});
    EXPECT_EQ(fromDay.exitCode, 0) << fromDay.err;
    EXPECT_EQ(fromDay.out,
              "Risultati Ricerca\n  NOTIZIE\n    05/01/2024\n      Canale 5\n"
              "        20:00-Notizie della sera\n");

    CliRun everyDay = run({"search", "notizie", "--all-days"});
    EXPECT_EQ(everyDay.out,
              "Risultati Ricerca\n  notizie\n    04/01/2024\n      Rai Uno\n"
              "        19:00-Notizie\n    05/01/2024\n      Canale 5\n"
              "        20:00-Notizie della sera\n");
    expectRefused({"search", "x", "--day", "5/1/2024"}, "--day takes today");
}

TEST_F(GuideCommands, MonitorKeepsItsWordsAndFindsThemUnderEachWord) {
    EXPECT_EQ(run({"monitor", "add", "film"}).exitCode, 0);
    EXPECT_EQ(run({"monitor", "add", "sera"}).exitCode, 0);
    CliRun again = run({"monitor", "add", "FILM"});  // letter case ignored: nothing added
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(run({"monitor", "list"}).out, "sera\nfilm\n");

    // A programme matched by both words shows under both; a channel's programmes stay together
    // under it although another channel's came between them.
    CliRun found = run({"monitor", "run", "--day", "20240105"});
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.out,
              "Risultati Ricerca\n"
              "  sera\n    05/01/2024\n      Canale 5\n        20:00-Notizie della sera\n"
              "      Rai Uno\n        18:00-Film della sera\n"
              "  film\n    05/01/2024\n      Canale 5\n        21:00-Il grande film\n"
              "        23:00-Film di mezzanotte\n"
              "      Rai Uno\n        18:00-Film della sera\n");

    EXPECT_EQ(run({"monitor", "remove", "Film"}).exitCode, 0);
    EXPECT_EQ(run({"monitor", "list"}).out, "sera\n");
    expectRefused({"monitor", "remove", "film"}, "no watched word 'film'");
}

TEST_F(GuideCommands, CompactReportsTheSizesAndLeavesACorruptDatabaseAsItWas) {
    CliRun compact = run({"compact"});
    EXPECT_EQ(compact.exitCode, 0) << compact.err;
    EXPECT_EQ(compact.out.rfind("Packen erfolgreich beendet\n", 0), 0u) << compact.out;
    EXPECT_NE(compact.out.find("ZELIDOR.DB erfolgreich gepackt.\n\nGr\xC3\xB6\xC3\x9F"
                               "e vor dem Packen:\t"),
              std::string::npos);

    const std::string garbage(8192, 'x');
    writeFile(ProgrammeStore::defaultFile(app.path()), garbage);
    CliRun failed = run({"compact"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err.rfind("Fehler w\xC3\xA4hrend des Packvorgangs: ", 0), 0u) << failed.err;
    EXPECT_EQ(lineCount(failed.err), 1u);
    EXPECT_EQ(readFile(ProgrammeStore::defaultFile(app.path())), garbage);
    EXPECT_FALSE(std::filesystem::exists(app / "database/ZelidorBackup.db"));

    // The pages report the unreadable database instead of passing off an empty day.
    CliRun card = run({"card", "--channel", "Canale 5", "--day", "20240105"});
    EXPECT_EQ(card.exitCode, 1);
    EXPECT_NE(card.err.find("status: 3049 "), std::string::npos) << card.err;
}

}  // namespace
}  // namespace zelidor::test
