// Figures for the guide: a card page, a daily report, a title search and a monitor run over a
// database of a million programmes, and the channel catalogue. Prints milliseconds (the median
// of several runs after a warm-up); it never fails on a threshold.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "browser/card_page.h"
#include "browser/catalogue.h"
#include "common/text.h"
#include "engine/channel_table.h"
#include "monitor/monitor_search.h"
#include "reports/daily_report.h"
#include "search/title_search.h"

namespace fs = std::filesystem;
using namespace zelidor;

namespace {

constexpr int kProgrammes = 1'000'000;
constexpr int kPerChannelDay = 45;
constexpr int kReportRows = 32'000;
constexpr std::int64_t kFirstDay = 20240101;
const Day kReportDay{2030, 1, 1};

struct NoDialogs : Dialogs {
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string&) override { return Answer::Cancel; }
};

double milliseconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(const std::function<void()>& work, int runs = 7) {
    work();  // warm-up: caches, the title index check
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void print(const char* what, double ms, const char* goal = "") {
    std::printf("%-58s %9.1f ms %s\n", what, ms, goal);
}

// Titles of 21600 series: about 46 programmes each in a million, with the common Italian
// trigrams (" di", "la ", "ell") spread over most of them, as in real listings.
constexpr int kSeries = 60 * 60 * 6;

std::string seriesTitle(int series) {
    static const char* const first[60] = {
        "Il commissario", "La casa",      "Un medico",  "Le avventure",   "Il mistero",
        "La grande",      "Notte",        "Il ritorno", "Cuori",          "Viaggio",
        "Storie",         "La signora",   "Il segreto", "Amici",          "Delitto",
        "Fuga",           "L'isola",      "Il tesoro",  "La valle",       "Citt\xE0",
        "Il giudice",     "La famiglia",  "Un posto",   "Il maresciallo", "La legge",
        "Ultime notizie", "Il sogno",     "La corsa",   "Un amore",       "Il vento",
        "La strada",      "Il paese",     "Una donna",  "Il professore",  "La ragazza",
        "Il capitano",    "Un ispettore", "La banda",   "Il viaggio",     "Le stelle",
        "La luna",        "Il sole",      "Il mare",    "La montagna",    "Il fiume",
        "Una notte",      "Il giorno",    "La sera",    "Il mattino",     "Un'estate",
        "L'inverno",      "La primavera", "L'autunno",  "Il silenzio",    "La voce",
        "Il cammino",     "La scelta",    "Il destino", "La verit\xE0",   "Il coraggio"};
    static const char* const second[60] = {
        "di Roma",      "in famiglia",    "del lago",        "d'inverno",     "a Milano",
        "sul fiume",    "di mare",        "del nord",        "in citt\xE0",   "di provincia",
        "al castello",  "nel bosco",      "di Venezia",      "in campagna",   "del porto",
        "di confine",   "a Napoli",       "sotto le stelle", "del sud",       "in montagna",
        "di Torino",    "a Firenze",      "di Palermo",      "a Bari",        "di Genova",
        "a Bologna",    "di Trieste",     "a Cagliari",      "di Verona",     "a Perugia",
        "sulla neve",   "nel deserto",    "in alto mare",    "tra le nuvole", "senza fine",
        "per sempre",   "all'improvviso", "di mezzanotte",   "d'estate",      "a Natale",
        "in vacanza",   "al mercato",     "in ufficio",      "a scuola",      "in ospedale",
        "in tribunale", "al circo",       "allo stadio",     "in cucina",     "sul treno",
        "in volo",      "alla radio",     "in diretta",      "dal vivo",      "fra amici",
        "in giallo",    "in rosso",       "nel blu",         "di sera",       "di notte"};
    static const char* const third[6] = {"",           " 2",          " - La serie",
                                         " (replica)", " - Speciale", " 3"};
    std::string title = first[series % 60];
    title.append(" ").append(second[series / 60 % 60]).append(third[series / 3600]);
    return title;
}

// The last programme of every channel-day is the news, whose titles begin with the
// two letters a user types to find them.
std::string newsTitle(std::size_t channel) {
    static const char* const news[6] = {"Tg1",         "Tg2 Sera", "Tg5",
                                        "TgR Regione", "Tg La7",   "Tg24 Notte"};
    return news[channel % 6];
}

void fillDatabase(const fs::path& app) {
    ProgrammeStore store(ProgrammeStore::defaultFile(app));
    Database& db = store.database();
    Transaction transaction(db);
    Statement insert = db.prepare(
        "INSERT INTO Programmi (Data, Ora, Titolo, Link, Commenti, Cover, Palinsesto, "
        "Numerazione, Type) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    auto channels = builtinChannels();
    const char* types[] = {"Film", "Telefilm", "Sport", "Informazione", "Ragazzi", "Rubrica"};
    auto add = [&](Day day, std::size_t c, int n, int series) {
        std::string_view channel = channels[c].name;
        char hour[8];
        std::snprintf(hour, sizeof hour, "%02d:%02d", (6 + n / 3) % 24, (n % 3) * 20);
        std::string title = n == kPerChannelDay ? newsTitle(c) : seriesTitle(series);
        insert.reset();
        insert.bind(1, day.number()).bindLatin1(2, std::string_view(hour));
        insert.bindLatin1(3, std::string_view(title));
        insert.bindLatin1(4, std::string_view("http://www.guidatv.example/programmi.phtml?c=1"));
        if (n % 2) {
            insert.bindLatin1(5, std::string_view("Una storia di amicizia e di coraggio.<BR>"
                                                  "--------->Regia di Marco Rinaldi."));
        }
        insert.bindLatin1(6, std::string_view("Canale_5_100232.jpg"));
        insert.bindLatin1(7, channel).bind(8, std::int64_t{n});
        insert.bindLatin1(9, std::string_view(types[(series + n) % 6]));
        insert.run();
    };
    Day day = Day::fromNumber(kFirstDay);
    int stored = 0;
    for (int d = 0; stored < kProgrammes; ++d, day = day.plusDays(1)) {
        for (std::size_t c = 0; c < channels.size() && stored < kProgrammes; ++c) {
            for (int n = 1; n <= kPerChannelDay && stored < kProgrammes; ++n, ++stored) {
                add(day, c, n, static_cast<int>((stored * 7919LL) % kSeries));
            }
        }
    }
    for (int n = 1; n <= kReportRows; ++n) {
        add(kReportDay, static_cast<std::size_t>(n) % channels.size(), n, n % kSeries);
    }
    transaction.commit();
}

void writeChannelFiles(const fs::path& app) {
    fs::create_directories(app / "TV");
    for (const ChannelInfo& channel : builtinChannels()) {
        std::ofstream(app / "TV" / (std::string(channel.name) + ".zdr"), std::ios::binary)
            << "#ANTENNA#=" << static_cast<int>(channel.category)
            << ",#DATEBUILD#=05/12/2002,#MADEBY#=Zelidor,#WEBSITE#=www.guidatv.example\r\n"
            << "#DOWNLOADINFO#\r\n#ENDDOWNLOADINFO#\r\n";
    }
}

}  // namespace

// With a folder argument the database is generated there once and reused by later runs.
int main(int argc, char** argv) {
    bool keep = argc > 1;
    fs::path app =
        keep ? fs::path(argv[1])
             : fs::temp_directory_path() / ("zelidor-guide-bench-" + std::to_string(::getpid()));
    fs::create_directories(app / "htmlcards");
    fs::copy_file(fs::path(ZELIDOR_SOURCE_DIR) / "data/app/htmlcards/classica.htm",
                  app / "htmlcards/classica.htm", fs::copy_options::overwrite_existing);
    writeChannelFiles(app);
    if (!fs::exists(ProgrammeStore::defaultFile(app))) {
        std::printf("Generating %d programmes (+%d on the report day) in %s ...\n", kProgrammes,
                    kReportRows, app.c_str());
        print("generate the database", milliseconds([&] { fillDatabase(app); }));
        print("build the title index over it (once)",
              milliseconds([&] { TitleFinder finder(app); }));
    }

    NoDialogs dialogs;
    Day middle = Day::fromNumber(kFirstDay).plusDays(200);
    print("card page, 45-programme channel-day", median([&] {
              buildCardPage(CardRequest{app, "classica.htm", middle, "Canale 5"}, dialogs);
          }));
    print("daily report, 32000 programmes of one day", median([&] {
              buildDailyReport(ReportRequest{app, "classica.htm", kReportDay, kAllTypes}, dialogs);
          }),
          "(goal <= 200)");
    print("daily report, type \"Film\" on that day", median([&] {
              buildDailyReport(ReportRequest{app, "classica.htm", kReportDay, "Film"}, dialogs);
          }));

    KeyedTree tree;
    SearchState state;
    std::size_t nodes = 0;
    print("title search \"commissario di roma\", all days", median([&] {
              runTitleSearch(app, "commissario di roma", middle, true, tree, state);
              nodes = tree.size();
          }),
          "(goal <= 50)");
    std::printf("%-58s %9zu nodes\n", "  its result tree", nodes);
    print("title search \"commissario\" (a common word), all days", median([&] {
              runTitleSearch(app, "commissario", middle, true, tree, state);
              nodes = tree.size();
          }),
          "(goal <= 50)");
    std::printf("%-58s %9zu nodes\n", "  its result tree", nodes);
    print("title search \"CITTA' D'INVERNO\" (accented A) from a middle day", median([&] {
              runTitleSearch(app, utf8ToLatin1("CITT\xC3\x80 D'INVERNO"), middle, false, tree,
                             state);
          }),
          "(goal <= 50)");
    print("title search \"Tg\" (two letters, the news), all days",
          median(
              [&] {
                  runTitleSearch(app, "Tg", middle, true, tree, state);
                  nodes = tree.size();
              },
              3),
          "(goal <= 100)");
    std::printf("%-58s %9zu nodes\n", "  its result tree", nodes);
    print("title search \"xy\" (two letters, no match), all days",
          median([&] { runTitleSearch(app, "xy", middle, true, tree, state); }, 3),
          "(goal <= 100)");
    print("title search \"q\" (one letter), all days",
          median([&] { runTitleSearch(app, "q", middle, true, tree, state); }, 3));

    std::vector<std::string> words;
    for (int i = 0; i < 50; ++i) {
        words.push_back(seriesTitle(i * 433 % kSeries));
    }
    print("monitor run, 50 words from a middle day", median([&] {
              runMonitorSearch(app, words, middle, tree, state);
              nodes = tree.size();
          }),
          "(goal <= 500)");
    std::printf("%-58s %9zu nodes\n", "  its result tree", nodes);
    print("catalogue of 51 channel files",
          median([&] { loadCatalogue(app, "0 Visualizza Tutte"); }));

    if (!keep) {
        std::error_code ignored;
        fs::remove_all(app, ignored);
    }
    return 0;
}
