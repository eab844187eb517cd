#include "sample_day.h"

#include "common/text.h"
#include "engine_harness.h"
#include "support/temp_dir.h"

namespace zelidor::test {

std::string sampleDetailUrl(const std::string& code, const std::string& host) {
    return "http://" + host + "/programmi.phtml?codice=" + code;
}

std::string samplePosterUrl(const std::string& code, const std::string& host) {
    return "http://" + host + "/statiche/media/foto/" + code + ".jpg";
}

std::string samplePage(const std::string& name) {
    return readFile(std::filesystem::path(ZELIDOR_SOURCE_DIR) / "tests" / "engine" / "pages" /
                    name);
}

std::string sampleListing() {
    return samplePage("listing_canale5_20021205.html");
}

std::string sampleDetail(const std::string& code) {
    return samplePage("detail_" + code + ".html");
}

std::string withCrLf(const std::string& lfText) {
    return replaceAll(lfText, "\n", "\r\n");
}

void serveSampleDay(MemoryFetcher& fetcher) {
    fetcher.addPage(kSampleListingUrl, sampleListing());
    for (const char* code : kSampleCodes) {
        fetcher.addPage(sampleDetailUrl(code), sampleDetail(code));
    }
    fetcher.addPage(samplePosterUrl("100231"), jpegPicture(14, 10));
    fetcher.addPage(samplePosterUrl("100232"), jpegPicture(14, 10));
}

std::vector<ProgrammeRow> sampleProgrammes() {
    auto row = [](std::string ora, std::string titolo, std::string code,
                  std::optional<std::string> commenti, std::optional<std::string> cover,
                  std::int64_t numerazione, std::string type) {
        ProgrammeRow r;
        r.data = 20021205;
        r.ora = std::move(ora);
        r.titolo = std::move(titolo);
        r.link = sampleDetailUrl(code);
        r.commenti = std::move(commenti);
        r.cover = std::move(cover);
        r.palinsesto = "Canale 5";
        r.numerazione = numerazione;
        r.type = std::move(type);
        return r;
    };
    return {
        row("06:00", "Il commissario Ferri", "100231",
            "Un furto in una villa sul lago mette alla prova il commissario.&nbsp;<i>Replica</i>",
            "Canale_5_100231.jpg", 1, "Telefilm"),
        row("20:40", "La vita &egrave; un viaggio", "100232",
            "Un viaggio in treno da Milano a Palermo diventa l'occasione per fare i conti con il "
            "passato.<BR>Con la partecipazione di <i>Elena Fabbri</i>.--------->Regia di Marco "
            "Rinaldi. | Con: Anna Ferri, Nicol\xF2 Lanza, Jos\xE9 Carvalho (Italia, 1998)",
            "Canale_5_100232.jpg", 2, "Film"),
        row("23:15", "Calcio: Serie A - Anticipo", "100233", std::nullopt, std::nullopt, 3,
            "Sport"),
    };
}

}  // namespace zelidor::test
