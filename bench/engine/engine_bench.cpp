// The script engine's own cost per channel-day: the built-in script over a listing of 40
// programmes, each with a detail page (half of them films with a cast to clean), served from
// memory so that no network or disk of a server is measured. Prints figures; never fails.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "engine/memory_fetcher.h"
#include "engine/script_engine.h"

namespace {

using namespace zelidor;

constexpr int kProgrammes = 40;
constexpr const char* kHost = "www.guidatv.example";
constexpr const char* kListingUrl =
    "http://www.guidatv.example/canali.phtml?giorno2=05%2F12%2F02&channel=Canale+5&x=6&y=11";

std::string code(int i) {
    return std::to_string(100000 + i);
}

std::string listingPage() {
    std::string page =
        "<html>\n<head><title>Guida TV</title></head>\n<body>\n<!-- start DX main -->\n"
        "<table>\n  </table>\n<table width=\"100%\">\n<tr class=\"intestazione\"><td>Ora</td>"
        "<td>Genere</td><td>Programma</td><td>&nbsp;</td>\n";
    page.replace(page.find("<table width"), 0, "</table>\n");
    for (int i = 0; i < kProgrammes; ++i) {
        char hour[8];
        std::snprintf(hour, sizeof hour, "%02d:%02d", 6 + i / 3, (i % 3) * 20);
        std::string type = i % 2 == 0 ? "Film" : "Telefilm";
        page +=
            "<tr bgcolor=\"#FFFFFF\"><td class=\"ora\" width=\"45\">" + std::string(hour) +
            "</td>\n<td class=\"g-" + type + "\" width=\"90\">" + type + "</td>\n" +
            "<td class=\"titolo\"><a href=\"javascript:apri('programmi.phtml?codice=" + code(i) +
            "')\">Programma numero " + std::to_string(i) + "</a></td>\n" +
            "<td align=\"right\"><a href=\"programmi.phtml?codice=" + code(i) +
            "\" target=\"_blank\"><img src=\"/img/scheda.gif\" alt=\"scheda\"></a></td>\n";
    }
    page += "</tr>\n</table>\n<!-- end DX main -->\n</body>\n</html>\n";
    return page;
}

std::string detailPage(int i) {
    std::string page =
        "<html>\n<head><title>Scheda</title></head>\n<body>\n<!-- start DX main -->\n"
        "<table>\n<tr>\n<td><img src=\"/img/nofoto.gif\"></td>\n<td class=\"scheda\">\n"
        "<font class=\"orario\">Canale 5</font>\n<!--<br>-->\n<b>Programma numero " +
        std::to_string(i) +
        "</b><br>\n  Una descrizione di qualche riga, con <i>corsivi</i> e &nbsp; spazi.</td>\n"
        "</tr>\n";
    if (i % 2 == 0) {
        page +=
            "<tr><td colspan=\"2\"><b>Film</b>\nRegia di Qualcuno.<br>Con: Anna, Nicol&ograve;, "
            "Jos&#233;<BR>(Italia, 1998)</td></tr>\n";
    }
    page += "</table>\n<!-- end DX main -->\n</body>\n</html>\n";
    return page;
}

struct QuietDisplay : EngineDisplay {};
struct CancellingDialogs : Dialogs {
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string&) override { return Answer::Cancel; }
};
struct NoDesktop : Desktop {
    void open(const std::string&) override {}
};
struct BenchSettings : EngineSettings {
    bool listOnly() const override { return false; }
    bool takeOnlyListed() const override { return false; }
    std::vector<std::string> importTypes() const override { return {}; }
    bool openListingInBrowser() const override { return false; }
    int scriptErrorFlag() const override { return 0; }
    bool checkUpdate() const override { return false; }
    std::string listingsHost() const override { return kHost; }
    std::string updateHost() const override { return kHost; }
};
struct CountingSink : ProgrammeSink {
    void save(const ProgrammeRow&) override { ++saved; }
    long saved = 0;
};

std::filesystem::path makeAppFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zelidor-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    std::filesystem::path appFolder = makeAppFolder();

    MemoryFetcher fetcher;
    fetcher.addPage(kListingUrl, listingPage());
    for (int i = 0; i < kProgrammes; ++i) {
        fetcher.addPage(std::string("http://") + kHost + "/programmi.phtml?codice=" + code(i),
                        detailPage(i));
    }
    QuietDisplay display;
    CancellingDialogs dialogs;
    NoDesktop desktop;
    BenchSettings settings;
    CountingSink sink;
    ScriptEngine engine(appFolder, {display, dialogs, desktop, settings, fetcher, sink});
    engine.startSession();

    for (int i = 0; i < 3; ++i) {
        engine.runBuiltinScript("Canale 5.zdr", "20021205");
    }
    sink.saved = 0;
    std::uint64_t lines = 0;
    std::clock_t cpuStart = std::clock();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        lines += engine.runBuiltinScript("Canale 5.zdr", "20021205").linesDispatched;
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    std::printf("channel-days:               %d (%d programmes and detail pages each)\n", rounds,
                kProgrammes);
    std::printf("programmes saved:           %ld (%s)\n", sink.saved,
                sink.saved == static_cast<long>(rounds) * kProgrammes ? "all" : "MISSING SOME");
    std::printf("time per channel-day:       %.1f us (wall clock)\n", seconds * 1e6 / rounds);
    // CPU time includes the kernel's share of the page files (each detail page is written, split
    // and read back); wall time beyond it is waiting for the disk.
    std::printf("CPU per channel-day:        %.1f us (user + system)\n", cpuSeconds * 1e6 / rounds);
    std::printf("lines per channel-day:      %llu\n",
                static_cast<unsigned long long>(lines / static_cast<std::uint64_t>(rounds)));
    std::printf("dispatched lines per second: %.0f (wall clock)\n",
                static_cast<double>(lines) / seconds);

    std::error_code ignored;
    std::filesystem::remove_all(appFolder, ignored);
    return 0;
}
