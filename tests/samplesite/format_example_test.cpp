// The worked example of the listing page format (Canale 5, 5 December 2002), byte for byte: the
// site's renderers must produce these pages from the example's programmes, and its expected
// records must be the ones the format guarantees for them.
#include <gtest/gtest.h>

#include "common/text.h"
#include "record_printing.h"
#include "samplesite/expected_records.h"
#include "samplesite/site_pages.h"

namespace zelidor::samplesite {
namespace {

constexpr std::string_view kListing = R"page(<html>
<head>
<title>Guida TV - Canale 5 - 05/12/2002</title>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<link rel="stylesheet" href="/stile.css" type="text/css">
<script language="JavaScript">
function apri(pagina) { window.open(pagina,'scheda','width=520,height=420,scrollbars=yes'); }
</script>
</head>
<body bgcolor="#FFFFFF" leftmargin="0" topmargin="0">
<table width="100%" border="0" cellspacing="0" cellpadding="0">
<tr><td><img src="/img/testata.gif" width="468" height="60" alt="Guida TV"></td></tr>
</table>
<!-- start DX main -->
<table width="100%" border="0" cellspacing="0" cellpadding="2">
  <tr><td class="canale">Canale 5</td><td class="data">gioved&igrave; 5 dicembre 2002</td></tr>
  </table>
<table width="100%" border="0" cellspacing="0" cellpadding="2">
<tr><td class="nav"><a href="/canali.phtml?channel=Canale+5&amp;dir=prev">&lt;&lt; giorno precedente</a> | <a href="/canali.phtml?channel=Canale+5&amp;dir=next">giorno successivo &gt;&gt;</a></td></tr>
</table>
<table width="100%" border="0" cellspacing="1" cellpadding="3">
<tr class="intestazione"><td>Ora</td><td>Genere</td><td>Programma</td><td>&nbsp;</td>
<tr bgcolor="#FFFFFF"><td class="ora" width="45">06:00</td>
<td class="g-Telefilm" width="90">Telefilm</td>
<td class="titolo"><a href="javascript:apri('programmi.phtml?codice=100231')">Il commissario Ferri</a></td>
<td align="right"><a href="programmi.phtml?codice=100231" target="_blank"><img src="/img/scheda.gif" width="14" height="14" border="0" alt="scheda"></a></td>
<tr bgcolor="#EEF3FA"><td class="ora" width="45">20:40</td>
<td class="g-Film" width="90">Film</td>
<td class="titolo"><a href="javascript:apri('programmi.phtml?codice=100232')">La vita &egrave; un viaggio</a></td>
<td align="right"><a href="programmi.phtml?codice=100232" target="_blank"><img src="/img/scheda.gif" width="14" height="14" border="0" alt="scheda"></a></td>
<tr bgcolor="#FFFFFF"><td class="ora" width="45">23:15</td>
<td class="g-Sport" width="90">Sport</td>
<td class="titolo"><a href="javascript:apri('programmi.phtml?codice=100233')">Calcio: Serie A - Anticipo</a></td>
<td align="right"><a href="programmi.phtml?codice=100233" target="_blank"><img src="/img/scheda.gif" width="14" height="14" border="0" alt="scheda"></a></td>
</tr>
</table>
<!-- end DX main -->
<table width="100%" border="0" cellspacing="0" cellpadding="2">
<tr><td class="piede">&copy; 2002 Guida TV - tutti i diritti riservati</td></tr>
</table>
</body>
</html>
)page";

constexpr std::string_view kFilmDetail = R"page(<html>
<head>
<title>La vita &egrave; un viaggio - Guida TV</title>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<link rel="stylesheet" href="/stile.css" type="text/css">
</head>
<body bgcolor="#FFFFFF" leftmargin="0" topmargin="0">
<!-- start DX main -->
<table width="100%" border="0" cellspacing="0" cellpadding="4">
<tr>
<td valign="top" width="150"><img src="/statiche/media/foto/100232.jpg" width="140" height="105" border="0" alt=""></td>
<td valign="top" class="scheda">
<font class="orario">Canale 5 - ore 20:40</font>
<!--<br>-->
<b>La vita &egrave; un viaggio</b><br>
  Un viaggio in treno da Milano a Palermo diventa l'occasione per fare i conti con il passato.<BR>Con la partecipazione di <i>Elena Fabbri</i>.</td>
</tr>
<tr><td colspan="2" class="cast"><b>Film</b>
Regia di Marco Rinaldi.<br>Con: Anna Ferri, Nicol&ograve; Lanza, Jos&#233; Carvalho<BR>(Italia, 1998)</td></tr>
</table>
<!-- end DX main -->
</body>
</html>
)page";

constexpr std::string_view kSeriesMiddle = R"page(<tr>
<td valign="top" width="150"><img src="/statiche/media/foto/100231.jpg" width="140" height="105" border="0" alt=""></td>
<td valign="top" class="scheda">
<font class="orario">Canale 5 - ore 06:00</font>
<!--<br>-->
<b>Il commissario Ferri</b><br>
  Un furto in una villa sul lago mette alla prova il commissario.&nbsp;<i>Replica</i></td>
</tr>
)page";

constexpr std::string_view kSportMiddle = R"page(<tr>
<td valign="top" width="150"><img src="/img/nofoto.gif" width="140" height="105" border="0" alt=""></td>
<td valign="top" class="scheda">
<font class="orario">Canale 5 - ore 23:15</font>
<b>Calcio: Serie A - Anticipo</b><br>
</td>
</tr>
)page";

ChannelDayListing exampleListing() {
    ChannelDayListing listing{findChannelByScriptName("Canale 5.zdr"), Day{2002, 12, 5}, {}};
    SampleProgramme series{1, "06:00", "Telefilm", "Telefilm", "Il commissario Ferri", "100231",
                           "Un furto in una villa sul lago mette alla prova il commissario."
                           "&nbsp;<i>Replica</i>",
                           std::nullopt, 0};
    SampleProgramme film{2,
                         "20:40",
                         "Film",
                         "Film",
                         "La vita &egrave; un viaggio",
                         "100232",
                         "Un viaggio in treno da Milano a Palermo diventa l'occasione per fare i "
                         "conti con il passato.<BR>Con la partecipazione di <i>Elena Fabbri</i>.",
                         CastBlock{"Film", std::nullopt,
                                   "Regia di Marco Rinaldi.<br>Con: Anna Ferri, Nicol&ograve; "
                                   "Lanza, Jos&#233; Carvalho<BR>(Italia, 1998)"},
                         1};
    SampleProgramme sport{3,           "23:15",     "Sport", "Sport", "Calcio: Serie A - Anticipo",
                          "100233",    std::nullopt, std::nullopt, std::nullopt};
    listing.programmes = {series, film, sport};
    return listing;
}

// The frame of the film's page around its middle part, holding another middle part.
std::string withMiddle(std::string_view middle) {
    std::string page(kFilmDetail);
    std::size_t from = page.find("<tr>\n");
    std::size_t to = page.find("</table>\n<!-- end");
    page.replace(from, to - from, middle);
    return page;
}

TEST(FormatExample, ListingPageIsTheExampleByteForByte) {
    EXPECT_EQ(listingPage(exampleListing()), kListing);
}

TEST(FormatExample, DetailPagesAreTheExampleByteForByte) {
    ChannelDayListing listing = exampleListing();
    EXPECT_EQ(detailPage(listing, listing.programmes[1]), kFilmDetail);

    std::string series = withMiddle(kSeriesMiddle);
    series = replaceAll(series, "La vita &egrave; un viaggio - Guida TV",
                        "Il commissario Ferri - Guida TV");
    EXPECT_EQ(detailPage(listing, listing.programmes[0]), series);

    std::string sport = withMiddle(kSportMiddle);
    sport = replaceAll(sport, "La vita &egrave; un viaggio - Guida TV",
                       "Calcio: Serie A - Anticipo - Guida TV");
    EXPECT_EQ(detailPage(listing, listing.programmes[2]), sport);
}

ProgrammeRow exampleRow(std::int64_t number, const char* hour, const char* title, const char* code,
                        std::optional<std::string> comments, std::optional<std::string> cover,
                        const char* type) {
    return ProgrammeRow{20021205,
                        hour,
                        title,
                        std::string("http://www.guidatv.example/programmi.phtml?codice=") + code,
                        std::move(comments),
                        std::move(cover),
                        "Canale 5",
                        number,
                        type};
}

TEST(FormatExample, ExpectedRecordsAreTheExampleRecords) {
    std::vector<ProgrammeRow> withDetails = {
        exampleRow(1, "06:00", "Il commissario Ferri", "100231",
                   "Un furto in una villa sul lago mette alla prova il commissario.&nbsp;<i>"
                   "Replica</i>",
                   "Canale_5_100231.jpg", "Telefilm"),
        exampleRow(2, "20:40", "La vita &egrave; un viaggio", "100232",
                   utf8ToLatin1("Un viaggio in treno da Milano a Palermo diventa l'occasione per "
                                "fare i conti con il passato.<BR>Con la partecipazione di <i>"
                                "Elena Fabbri</i>.--------->Regia di Marco Rinaldi. | Con: Anna "
                                "Ferri, Nicolò Lanza, José Carvalho (Italia, 1998)"),
                   "Canale_5_100232.jpg", "Film"),
        exampleRow(3, "23:15", "Calcio: Serie A - Anticipo", "100233", std::nullopt, std::nullopt,
                   "Sport"),
    };
    EXPECT_EQ(expectedRecordsFor(exampleListing(), Day{2002, 12, 5}, "www.guidatv.example",
                                 DownloadMode::WithDetails),
              withDetails);

    std::vector<ProgrammeRow> listOnly = withDetails;
    for (ProgrammeRow& row : listOnly) {
        row.commenti.reset();
        row.cover.reset();
    }
    EXPECT_EQ(expectedRecordsFor(exampleListing(), Day{2002, 12, 5}, "www.guidatv.example",
                                 DownloadMode::ListOnly),
              listOnly);
}

TEST(CreditsCleaning, FollowsTheScriptsListsInTheirOrder) {
    // Listed tags become one blank each, matched with their letter case; <br> becomes " | ".
    EXPECT_EQ(cleanedCredits("Con:&nbsp;<i>A</i>, B</font>"), "Con:  A , B");
    EXPECT_EQ(cleanedCredits("a<br>b<BR>c<Br>d"), "a | b c<Br>d");
    // References 160..254 become Latin-1 letters (160 a blank); 255 and others stay.
    EXPECT_EQ(cleanedCredits("x&#160;&#161;&#254;&#255;&#263;"), "x \xA1\xFE&#255;&#263;");
    // Grave accents become letters, the capital E grave becomes E and an apostrophe; other
    // named entities stay as written.
    EXPECT_EQ(cleanedCredits("&egrave;&agrave;&ograve;&ugrave;&igrave; &Egrave; &eacute;&amp;"),
              "\xE8\xE0\xF2\xF9\xEC E' &eacute;&amp;");
    EXPECT_EQ(cleanedCredits("  <b>x</b>  "), "x");
}

TEST(CoverNames, ReplaceTheCharactersAFileNameCannotCarry) {
    EXPECT_EQ(coverFileBase("Canale 5", "12/3 (b)"), "Canale_5_12_3__b_");
    EXPECT_EQ(coverFileBase("VIVA - Rete A", "1"), "VIVA_-_Rete_A_1");
    EXPECT_EQ(coverFileBase("L'a:b<c>d*e?", "9"), "L_a_b_c_d_e__9");
    EXPECT_EQ(coverFileBase("Tele+ Bianco", "7"), "Tele+_Bianco_7");
}

}  // namespace
}  // namespace zelidor::samplesite
