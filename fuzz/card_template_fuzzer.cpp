// Any card template must cut into sections and fill into a card page and a daily report without
// a crash. The input is the template file; the programmes come from a database made once, with
// texts that look like tags, null columns, Latin-1 letters and an empty description.
//
// What must hold: every section is whole lines each ended by CR LF (a lone CR always ends a
// line), and each build writes a page that ends with the template's tail.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "browser/card_page.h"
#include "browser/card_template.h"
#include "common/dialogs.h"
#include "reports/daily_report.h"
#include "scratch_folder.h"

namespace {

using namespace zelidor;

constexpr const char* kTemplateName = "fuzz.htm";
constexpr std::int64_t kDay = 20021205;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class SilentDialogs : public Dialogs {
  public:
    void message(const std::string&, const std::string&, MessageIcon) override {}
    Answer question(const std::string&, const std::string&) override { return Answer::Cancel; }
};

ProgrammeRow programme(const char* channel, std::int64_t number, const char* hour,
                       const char* title, const char* type, const char* comments) {
    ProgrammeRow row;
    row.data = kDay;
    row.ora = hour;
    row.titolo = title;
    row.palinsesto = channel;
    row.numerazione = number;
    if (type) {
        row.type = type;
    }
    if (comments) {
        row.commenti = comments;
        row.link = "http://fuzz.example/programmi.phtml?codice=" + std::to_string(number);
        row.cover = std::string(channel) + "_" + std::to_string(number) + ".jpg";
    }
    return row;
}

const std::filesystem::path& appFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path& app = fuzz::scratchFolder();
        std::filesystem::create_directories(app / "htmlcards");
        ProgrammeStore store(ProgrammeStore::defaultFile(app));
        store.insert(programme("Canale 5", 1, "06:00", "<PR_TITLE> & <TV_HOUR>", "Telefilm",
                               "Due <TV_DESCRIPTION> righe<br>"));
        store.insert(programme("Canale 5", 2, "20:40", "La vita \xE8 un viaggio", "Film", ""));
        store.insert(programme("Canale 5", 3, "23:15", "<!--BEGIN_LINK_FLAG-->", nullptr,
                               "<!--NAME_FLAG--><TV_COVER>"));
        store.insert(programme("Italia 1", 1, "21:00", "Sport <PR_TV>", "Sport", "Calcio"));
        ProgrammeRow empty;
        empty.data = kDay;
        empty.palinsesto = "Canale 5";
        store.insert(empty);
        return app;
    }();
    return folder;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

void checkSection(std::string_view section) {
    require(section.empty() || endsWith(section, "\r\n"));
    for (std::size_t at = section.find('\r'); at != std::string_view::npos;
         at = section.find('\r', at + 1)) {
        require(at + 1 < section.size() && section[at + 1] == '\n');
    }
}

void checkBuild(const PageBuild& build, const CardTemplate& card) {
    require(build.page.has_value());
    std::ifstream in(*build.page, std::ios::binary);
    std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    require(endsWith(page, card.tail + "\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CardTemplate card = parseCardTemplate(text);
    for (const std::string* section :
         {&card.head, &card.row, &card.middle, &card.detail, &card.tail}) {
        checkSection(*section);
    }

    const std::filesystem::path& app = appFolder();
    {
        std::ofstream out(app / "htmlcards" / kTemplateName, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    SilentDialogs dialogs;
    const Day day = *Day::parse("20021205");
    checkBuild(buildCardPage(CardRequest{app, kTemplateName, day, "Canale 5"}, dialogs), card);
    checkBuild(buildDailyReport(ReportRequest{app, kTemplateName, day, kAllTypes}, dialogs), card);
    checkBuild(buildDailyReport(ReportRequest{app, kTemplateName, day, "Film"}, dialogs), card);
    return 0;
}
