// A week of two channels downloaded from the sample site, over the night summer time ends, and
// exported: the format's own validator accepts the file, every stored programme is there in
// order with its stop at the next start, and a few programmes are checked field by field.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "support/child_process.h"
#include "support/download_rig.h"
#include "xmltv/xmltv_export.h"

namespace zelidor::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kValidator = "/usr/bin/tv_validate_file";
constexpr const char* kDtd = "/usr/share/xmltv/xmltv.dtd";

struct Exported {
    std::string channel, start, stop, title, desc, category, icon, url;
};

// The writer puts one element a line, so a line reader is enough to take the file apart.
std::vector<Exported> programmesOf(const std::string& xml) {
    std::vector<Exported> all;
    static const std::regex head(
        R"re(<programme start="([^"]*)"(?: stop="([^"]*)")? channel="([^"]*)">)re");
    static const std::regex field(R"(<(title|desc|category|url)[^>]*>([^<]*)</)");
    static const std::regex icon(R"re(<icon src="([^"]*)"/>)re");
    std::istringstream in(xml);
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, m, head)) {
            all.push_back({m[3], m[1], m[2], {}, {}, {}, {}, {}});
        } else if (!all.empty() && std::regex_search(line, m, icon)) {
            all.back().icon = m[1];
        } else if (!all.empty() && std::regex_search(line, m, field)) {
            Exported& p = all.back();
            (m[1] == "title"      ? p.title
             : m[1] == "desc"     ? p.desc
             : m[1] == "category" ? p.category
                                  : p.url) = m[2];
        }
    }
    return all;
}

class XmltvWeek : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        rig = new DownloadRig;
        ASSERT_EQ(rig->download({"Canale 5", "Rai Uno"}, kFirst, 7).keptCount(), 0);
        file = rig->app / "guida.xml";
        summary = exportXmltvFile(rig->app.path(), XmltvRequest{kFirst, 7, {}}, file);
        programmes = programmesOf(readFile(file));
    }
    static void TearDownTestSuite() { delete rig; }

    // The stored row of a channel-day with the given hour.
    static ProgrammeRow row(const std::string& channel, const Day& day, const std::string& hour) {
        for (const ProgrammeRow& r : rig->rows(channel, day)) {
            if (r.ora == hour) {
                return r;
            }
        }
        ADD_FAILURE() << "no programme at " << hour;
        return {};
    }
    static const Exported* exported(const std::string& start) {
        for (const Exported& p : programmes) {
            if (p.channel == "canale-5.zelidor" && p.start == start) {
                return &p;
            }
        }
        ADD_FAILURE() << "no programme starts at " << start;
        return nullptr;
    }

    static inline const Day kFirst{2026, 10, 20};  // summer time ends on Sunday the 25th
    static inline DownloadRig* rig = nullptr;
    static inline fs::path file;
    static inline XmltvSummary summary;
    static inline std::vector<Exported> programmes;
};

TEST_F(XmltvWeek, TheFormatsValidatorAcceptsTheFile) {
    if (!fs::exists(kValidator)) {
        GTEST_SKIP() << "tv_validate_file missing (apt-get install xmltv-util)";
    }
    ProcessEnd end = ChildProcess(kValidator, {"--dtd-file", kDtd, file.string()}).wait();
    EXPECT_EQ(end.exitCode, 0) << end.out << end.err;
    EXPECT_EQ(end.out, "Validated ok.\n");
}

TEST_F(XmltvWeek, EveryStoredProgrammeInOrderEachStoppingAtTheNextStart) {
    EXPECT_EQ(summary.channels, 2);
    EXPECT_EQ(summary.leftOut, 0);
    EXPECT_EQ(static_cast<std::size_t>(summary.programmes), rig->storedRows().size());
    ASSERT_EQ(static_cast<std::size_t>(summary.programmes), programmes.size());
    EXPECT_EQ(programmes.front().channel, "canale-5.zelidor");
    EXPECT_EQ(programmes.back().channel, "rai-uno.zelidor");
    for (std::size_t i = 0; i + 1 < programmes.size(); ++i) {
        const Exported& a = programmes[i];
        const Exported& b = programmes[i + 1];
        if (a.channel == b.channel) {
            EXPECT_EQ(a.stop, b.start) << a.title;
            // The same clock and offset compare as text; across the change compare instants.
            if (a.start.substr(15) == b.start.substr(15)) {
                EXPECT_LT(a.start, b.start);
            }
        } else {
            EXPECT_EQ(a.stop, "") << "the channel's last programme has no stop";
        }
        // No entity or tag of the listing is left: it would show as "&amp;agrave;", "&lt;i&gt;".
        static const std::regex markup("&amp;#?[a-zA-Z0-9]+;|&lt;");
        EXPECT_FALSE(std::regex_search(a.title + a.desc, markup)) << a.title << " " << a.desc;
    }
}

TEST_F(XmltvWeek, ProgrammesFieldByField) {
    // Past midnight on the listing of Saturday the 24th: Sunday, still summer time.
    const Day saturday{2026, 10, 24};
    const auto saturdayRows = rig->rows("Canale 5", saturday);
    const ProgrammeRow& late = saturdayRows.back();
    ASSERT_LT(*late.ora, "03:00");  // the sample site's nights end before the change
    const std::string lateStart =
        "20261025" + late.ora->substr(0, 2) + late.ora->substr(3, 2) + "00 +0200";
    const Exported* night = exported(lateStart);
    ASSERT_TRUE(night);
    const ProgrammeRow sundayFirst = rig->rows("Canale 5", saturday.plusDays(1)).front();
    EXPECT_EQ(night->stop, "20261025" + sundayFirst.ora->substr(0, 2) +
                               sundayFirst.ora->substr(3, 2) + "00 +0100");

    // An accented title and a description with markup, as written on the listing page.
    bool accented = false;
    for (const ProgrammeRow& stored : rig->storedRows()) {
        if (stored.palinsesto != "Canale 5" || !stored.titolo ||
            stored.titolo->find("&agrave;") == std::string::npos || !stored.commenti ||
            stored.commenti->find('<') == std::string::npos || !stored.cover) {
            continue;
        }
        const Day day = Day::fromNumber(*stored.data);
        ASSERT_GE(*stored.ora, "06:00");
        const Exported* p =
            exported(day.stamp() + stored.ora->substr(0, 2) + stored.ora->substr(3, 2) +
                     (*stored.data < 20261025 ? "00 +0200" : "00 +0100"));
        ASSERT_TRUE(p);
        EXPECT_NE(p->title.find("\xC3\xA0"), std::string::npos) << p->title;  // à in UTF-8
        EXPECT_EQ(p->desc.find('<'), std::string::npos);
        EXPECT_FALSE(p->desc.empty());
        EXPECT_EQ(p->category, *stored.type);
        EXPECT_EQ(p->url, *stored.link);
        EXPECT_EQ(p->icon, "file://" + (rig->app / "covers" / *stored.cover).string());
        EXPECT_TRUE(fs::exists(rig->app / "covers" / *stored.cover));
        accented = true;
        break;
    }
    EXPECT_TRUE(accented) << "the sample week has no accented title with a marked-up description";

    // A programme without description or cover has neither element.
    bool seen = false;
    for (const ProgrammeRow& stored : rig->rows("Canale 5", kFirst)) {
        if (!stored.commenti && !stored.cover && *stored.ora >= "06:00") {
            const Exported* p = exported("20261020" + stored.ora->substr(0, 2) +
                                         stored.ora->substr(3, 2) + "00 +0200");
            ASSERT_TRUE(p);
            EXPECT_EQ(p->desc, "");
            EXPECT_EQ(p->icon, "");
            seen = true;
            break;
        }
    }
    EXPECT_TRUE(seen) << "the sample day has no programme without description and cover";
}

TEST_F(XmltvWeek, ChosenDaysAndChannelsOnly) {
    std::ostringstream out;
    XmltvSummary one =
        writeXmltv(rig->store, rig->app.path(), XmltvRequest{kFirst.plusDays(6), 1, {"Rai Uno"}},
                   TimeZone::italy(), out);
    EXPECT_EQ(one.channels, 1);
    EXPECT_EQ(static_cast<std::size_t>(one.programmes),
              rig->rows("Rai Uno", kFirst.plusDays(6)).size());
    auto last = programmesOf(out.str());
    EXPECT_EQ(last.back().stop, "");  // nothing stored after the week
}

TEST_F(XmltvWeek, AFailedExportLeavesTheEarlierFileAsItWas) {
    const fs::path target = rig->app / "kept.xml";
    writeFile(target, "earlier export");
    fs::create_directory(rig->app / "kept.xml.part");  // the work file cannot be written
    EXPECT_THROW(exportXmltvFile(rig->app.path(), XmltvRequest{kFirst, 7, {}}, target),
                 std::runtime_error);
    EXPECT_EQ(readFile(target), "earlier export");

    TempDir empty;
    EXPECT_THROW(exportXmltvFile(empty.path(), {}, empty / "x.xml"), StoreError);
    EXPECT_FALSE(fs::exists(empty / "x.xml"));
}

}  // namespace
}  // namespace zelidor::test
