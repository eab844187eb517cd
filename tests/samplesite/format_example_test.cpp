// The worked example of the listing page format (Canale 5, 5 December 2002), byte for byte: the
// site's renderers must produce the example's pages (format_example/) from its programmes, and
// its expected records must be the ones the format guarantees for them.
#include <gtest/gtest.h>

#include "common/text.h"
#include "record_printing.h"
#include "samplesite/expected_records.h"
#include "samplesite/site_pages.h"
#include "support/temp_dir.h"

namespace zelidor::samplesite {
namespace {

std::string fixture(const char* name) {
    return zelidor::test::readFile(std::string(ZELIDOR_SOURCE_DIR) +
                                   "/tests/fixtures/format_example/" + name);
}

ChannelDayListing exampleListing() {
    CastBlock credits{"Film", std::nullopt,
                      "Regia di Marco Rinaldi.<br>Con: Anna Ferri, Nicol&ograve; Lanza, "
                      "Jos&#233; Carvalho<BR>(Italia, 1998)"};
    return {findChannelByScriptName("Canale 5.zdr"),
            Day{2002, 12, 5},
            {{1, "06:00", "Telefilm", "Telefilm", "Il commissario Ferri", "100231",
              "Un furto in una villa sul lago mette alla prova il commissario.&nbsp;<i>Replica</i>",
              std::nullopt, 0},
             {2, "20:40", "Film", "Film", "La vita &egrave; un viaggio", "100232",
              "Un viaggio in treno da Milano a Palermo diventa l'occasione per fare i conti con "
              "il passato.<BR>Con la partecipazione di <i>Elena Fabbri</i>.",
              credits, 1},
             {3, "23:15", "Sport", "Sport", "Calcio: Serie A - Anticipo", "100233", std::nullopt,
              std::nullopt, std::nullopt}}};
}

TEST(FormatExample, PagesAreTheExampleByteForByte) {
    ChannelDayListing listing = exampleListing();
    EXPECT_EQ(listingPage(listing), fixture("listing.html"));
    EXPECT_EQ(detailPage(listing, listing.programmes[0]), fixture("detail_100231.html"));
    EXPECT_EQ(detailPage(listing, listing.programmes[1]), fixture("detail_100232.html"));
    EXPECT_EQ(detailPage(listing, listing.programmes[2]), fixture("detail_100233.html"));
}

TEST(FormatExample, ExpectedRecordsAreTheExampleRecords) {
    auto row = [](std::int64_t n, const char* hour, const char* title, std::string code,
                  std::optional<std::string> comments, bool cover, const char* type) {
        return ProgrammeRow{20021205,
                            hour,
                            title,
                            "http://www.guidatv.example/programmi.phtml?codice=" + code,
                            std::move(comments),
                            cover ? std::optional("Canale_5_" + code + ".jpg") : std::nullopt,
                            "Canale 5",
                            n,
                            type};
    };
    std::vector<ProgrammeRow> full = {
        row(1, "06:00", "Il commissario Ferri", "100231",
            "Un furto in una villa sul lago mette alla prova il commissario.&nbsp;<i>Replica</i>",
            true, "Telefilm"),
        row(2, "20:40", "La vita &egrave; un viaggio", "100232",
            utf8ToLatin1("Un viaggio in treno da Milano a Palermo diventa l'occasione per fare i "
                         "conti con il passato.<BR>Con la partecipazione di <i>Elena Fabbri</i>."
                         "--------->Regia di Marco Rinaldi. | Con: Anna Ferri, Nicolò Lanza, "
                         "José Carvalho (Italia, 1998)"),
            true, "Film"),
        row(3, "23:15", "Calcio: Serie A - Anticipo", "100233", std::nullopt, false, "Sport"),
    };
    const std::string host = "www.guidatv.example";
    EXPECT_EQ(
        expectedRecordsFor(exampleListing(), Day{2002, 12, 5}, host, DownloadMode::WithDetails),
        full);
    for (ProgrammeRow& listOnly : full) {
        listOnly.commenti.reset();
        listOnly.cover.reset();
    }
    EXPECT_EQ(expectedRecordsFor(exampleListing(), Day{2002, 12, 5}, host, DownloadMode::ListOnly),
              full);
}

TEST(FormatExample, CreditsAreCleanedByTheScriptsListsInTheirOrder) {
    // Listed tags become one blank each, matched with their letter case; <br> becomes " | ".
    EXPECT_EQ(cleanedCredits("Con:&nbsp;<i>A</i>, B</font>"), "Con:  A , B");
    EXPECT_EQ(cleanedCredits("a<br>b<BR>c<Br>d"), "a | b c<Br>d");
    // References 160..254 become Latin-1 letters (160 a blank); 255 and others stay.
    EXPECT_EQ(cleanedCredits("x&#160;&#161;&#254;&#255;&#263;"), "x \xA1\xFE&#255;&#263;");
    // Grave accents become letters, the capital one "E'"; other named entities stay.
    EXPECT_EQ(cleanedCredits("&egrave;&agrave;&ograve;&ugrave;&igrave; &Egrave; &eacute;&amp;"),
              "\xE8\xE0\xF2\xF9\xEC E' &eacute;&amp;");
}

TEST(FormatExample, CoverNamesReplaceTheCharactersAFileNameCannotCarry) {
    EXPECT_EQ(coverFileBase("Canale 5", "12/3 (b)"), "Canale_5_12_3__b_");
    EXPECT_EQ(coverFileBase("VIVA - Rete A", "1"), "VIVA_-_Rete_A_1");
    EXPECT_EQ(coverFileBase("L'a:b<c>d*e?", "9"), "L_a_b_c_d_e__9");
}

}  // namespace
}  // namespace zelidor::samplesite
