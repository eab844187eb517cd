// The guide's commands of zelidor-cli: the catalogue, card pages, reports, the title search, the
// keyword monitor and compaction.
#include "cli_app.h"

namespace zelidor::test {
namespace {

TEST_F(CliProgram, ChannelsListTheCatalogueAlphabeticallyAndByCategory) {
    ProcessEnd all = run({"channels"});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.out,
              "Canale 5\t2 Televisione\t01/02/2024\tAda\thttp://tv.example\n"
              "Eurosport\t4 Sport\t01/02/2024\tAda\thttp://tv.example\n"
              "Rai Uno\t2 Televisione\t01/02/2024\tAda\thttp://tv.example\n");
    EXPECT_NE(all.err.find("status: *\n"), std::string::npos);  // Zeta's category

    ProcessEnd sport = run({"channels", "--category", "4"});
    EXPECT_EQ(sport.out, "Eurosport\t4 Sport\t01/02/2024\tAda\thttp://tv.example\n");

    std::filesystem::remove_all(app / "TV");
    ProcessEnd broken = run({"channels"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_NE(broken.err.find("Doesn't Exist !  -> Bad Installation??"), std::string::npos);
}

TEST_F(CliProgram, CardWritesTheChannelDayWithTheChosenTemplateAndPrintsItsPath) {
    // The settings choose the only template; -o copies the page and prints the copy's path.
    ProcessEnd card = run({"card", "--channel", "Canale 5", "--day", "20240105"});
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
    ProcessEnd copy = run({"card", "--channel", "Rai Uno", "--day", "20240105", "--template",
                           "linee", "-o", (elsewhere / "rai.htm").string()});
    ASSERT_EQ(copy.exitCode, 0) << copy.err;
    EXPECT_EQ(copy.out, (elsewhere / "rai.htm").string() + "\n");
    EXPECT_EQ(readFile(elsewhere / "rai.htm"), readFile(app / "temp.htm"));
    // Its covers are linked relative to the copy, which is not beside the covers folder.
    EXPECT_NE(copy.err.find((app / "covers").string()), std::string::npos) << copy.err;
}

// The report is written and copied like the card page; its type is matched in any case.
TEST_F(CliProgram, ReportListsOneTypeOfTheDayOverAllChannels) {
    ProcessEnd report = run({"report", "--day", "20240105", "--type", "FILM"});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    std::string page = readFile(app / "temp.htm");
    EXPECT_NE(page.find("<p>18:00|<a href='#1'>Film della sera</a>|film|Rai Uno</p>"),
              std::string::npos);
    EXPECT_EQ(page.find("Notizie"), std::string::npos);
}

TEST_F(CliProgram, SearchPrintsTheResultTreeIndentedByLevel) {
    ProcessEnd fromDay = run({"search", "NOTIZIE", "--day", "20240105"});
    EXPECT_EQ(fromDay.exitCode, 0) << fromDay.err;
    EXPECT_EQ(fromDay.out,
              "Risultati Ricerca\n  NOTIZIE\n    05/01/2024\n      Canale 5\n"
              "        20:00-Notizie della sera\n");

    ProcessEnd everyDay = run({"search", "notizie", "--all-days"});
    EXPECT_EQ(everyDay.out,
              "Risultati Ricerca\n  notizie\n    04/01/2024\n      Rai Uno\n"
              "        19:00-Notizie\n    05/01/2024\n      Canale 5\n"
              "        20:00-Notizie della sera\n");
}

TEST_F(CliProgram, MonitorKeepsItsWordsAndFindsThemUnderEachWord) {
    EXPECT_EQ(run({"monitor", "add", "film"}).exitCode, 0);
    EXPECT_EQ(run({"monitor", "add", "sera"}).exitCode, 0);
    ProcessEnd again = run({"monitor", "add", "FILM"});  // letter case ignored: nothing added
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(run({"monitor", "list"}).out, "sera\nfilm\n");

    // A programme matched by both words shows under both; a channel's programmes stay together
    // under it although another channel's came between them.
    ProcessEnd found = run({"monitor", "run", "--day", "20240105"});
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
}

// What compaction reports is its own tests'; here it is printed, and a failure exits with 1.
TEST_F(CliProgram, ExportXmltvWritesTheChosenDaysAndChannels) {
    ProcessEnd all = run({"export-xmltv", "--from", "20240105", "--days", "1"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_NE(all.out.find("<channel id=\"canale-5.zelidor\">"), std::string::npos);
    EXPECT_NE(all.out.find("<programme start=\"20240105200000 +0100\" stop=\"20240105210000 "
                           "+0100\" channel=\"canale-5.zelidor\">"),
              std::string::npos)
        << all.out;
    EXPECT_NE(all.out.find("<programme start=\"20240105230000 +0100\" channel="),
              std::string::npos);  // the channel's last programme
    EXPECT_NE(all.err.find("channels: 2; programmes: 4;"), std::string::npos) << all.err;

    const std::string file = (app / "guida.xml").string();
    ProcessEnd one =
        run({"export-xmltv", "--from", "20240104", "--channel", "Rai Uno", "-o", file});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, file + "\n");
    EXPECT_EQ(readFile(file).find("canale-5"), std::string::npos);
    EXPECT_NE(one.err.find("channels: 1; programmes: 2;"), std::string::npos) << one.err;

    ProcessEnd unknown = run({"export-xmltv", "--channel", "Zeta"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("no channel 'Zeta'"), std::string::npos) << unknown.err;
}

TEST_F(CliProgram, CompactPrintsItsResultAndACorruptDatabaseFailsEveryCommand) {
    ProcessEnd compact = run({"compact"});
    EXPECT_EQ(compact.exitCode, 0) << compact.err;
    EXPECT_EQ(compact.out.rfind("Packen erfolgreich beendet\n", 0), 0u) << compact.out;

    writeFile(ProgrammeStore::defaultFile(app.path()), std::string(8192, 'x'));
    ProcessEnd failed = run({"compact"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err.rfind("Fehler w\xC3\xA4hrend des Packvorgangs: ", 0), 0u) << failed.err;
    EXPECT_EQ(lineCount(failed.err), 1u);
    // The pages report the unreadable database instead of passing off an empty day.
    ProcessEnd card = run({"card", "--channel", "Canale 5", "--day", "20240105"});
    EXPECT_EQ(card.exitCode, 1);
    EXPECT_NE(card.err.find("status: 3049 "), std::string::npos) << card.err;
}

}  // namespace
}  // namespace zelidor::test
