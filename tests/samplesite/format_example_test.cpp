// The worked example of the listing page format (Canale 5, 5 December 2002), byte for byte: the
// site's renderers must produce the example's pages from its programmes, and its expected
// records must be the example's records (both in tests/fixtures/format_example).
#include <gtest/gtest.h>

#include "samplesite/expected_records.h"
#include "samplesite/site_pages.h"
#include "support/format_example.h"

namespace zelidor::samplesite {
namespace {

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
    EXPECT_EQ(listingPage(listing), zelidor::test::formatExampleFile("listing.html"));
    for (const SampleProgramme& programme : listing.programmes) {
        EXPECT_EQ(detailPage(listing, programme),
                  zelidor::test::formatExampleFile("detail_" + programme.code + ".html"));
    }
}

TEST(FormatExample, ExpectedRecordsAreTheExampleRecords) {
    std::vector<ProgrammeRow> records = zelidor::test::formatExampleRecords();
    const std::string host = zelidor::test::kExampleHost;
    EXPECT_EQ(
        expectedRecordsFor(exampleListing(), Day{2002, 12, 5}, host, DownloadMode::WithDetails),
        records);
    for (ProgrammeRow& listOnly : records) {
        listOnly.commenti.reset();
        listOnly.cover.reset();
    }
    EXPECT_EQ(expectedRecordsFor(exampleListing(), Day{2002, 12, 5}, host, DownloadMode::ListOnly),
              records);
}

}  // namespace
}  // namespace zelidor::samplesite
