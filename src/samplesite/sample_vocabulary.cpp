#include "samplesite/sample_vocabulary.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "common/text.h"

namespace zelidor::samplesite {

namespace {

using Words = std::span<const std::string_view>;

// ---- Fillers --------------------------------------------------------------------------------

constexpr std::string_view kCities[] = {
    "Milano", "Palermo", "Napoli",   "Torino", "Genova",  "Bologna", "Firenze", "Venezia",
    "Bari",   "Trieste", "Cagliari", "Verona", "Perugia", "Lecce",   "Matera",  "Cortina"};

constexpr std::string_view kFirstNames[] = {
    "Marco",  "Anna",    "Giulia", "Luca",   "Francesca", "Paolo",   "Elena", "Roberto",
    "Chiara", "Stefano", "Silvia", "Andrea", "Laura",     "Giorgio", "Sofia", "Matteo"};

constexpr std::string_view kSurnames[] = {
    "Rinaldi", "Ferri", "Lanza",   "Fabbri",   "Moretti", "Conti",    "Galli",     "Marino",
    "Bruno",   "Costa", "Fontana", "Esposito", "Greco",   "Lombardi", "De Santis", "Barbieri"};

// Performers as the detail pages write them, entities included.
constexpr std::string_view kPerformers[] = {
    "Anna Ferri",           "Nicol&ograve; Lanza",  "Jos&#233; Carvalho", "Fran&ccedil;ois Leroy",
    "Ren&eacute; Dubois",   "Mario Volont&egrave;", "Lucia D'Amico",      "Pietro Sant&#224;",
    "Elena Fabbri",         "Sergio Castelli",      "Giulia Moretti",     "Luca Conti",
    "Ingrid S&#248;rensen", "Paolo Galli",          "Chiara Bruno",       "Jean-Luc Moreau",
    "Laura Fontana",        "Kevin O'Brien",        "Mirko Tomi&#263;",   "Niccol&ograve; Greco"};

constexpr std::string_view kCountries[] = {
    "Italia", "Italia", "Francia", "USA", "Gran Bretagna", "Germania", "Spagna", "Italia/Francia"};

constexpr std::string_view kGrandPrix[] = {"Italia",   "Monaco",  "Spagna",   "Brasile",
                                           "Giappone", "Francia", "Germania", "San Marino"};

constexpr std::string_view kCartoonHeroes[] = {
    "Gattobaleno",    "Capitan Trottola", "Orsetto Bruno", "Lupo Lul\u00f9",
    "Pesciolino Blu", "Nonna Papera",     "Robottino Zip", "Fata Nuvola"};

constexpr std::string_view kEpisodes[] = {"L'ultimo testimone",   "Una notte a {citta}",
                                          "Il segreto di {nome}", "Doppio gioco",
                                          "Il ritorno",           "Sospetti",
                                          "Fuga da {citta}",      "Un'altra vita"};

// ---- Titles by programme type ----------------------------------------------------------------

constexpr std::string_view kFilmTitles[] = {"La vita &egrave; un viaggio",
                                            "Un'estate al mare",
                                            "Il segreto di {citta}",
                                            "Ritorno a {citta}",
                                            "L'uomo che veniva da {citta}",
                                            "La notte di {nome}",
                                            "Il ritorno di {nome}",
                                            "L'ultima estate a {citta}",
                                            "Una donna a {citta}",
                                            "Pap&agrave; per forza",
                                            "Perch\u00e9 proprio io?",
                                            "Il treno delle {ora}",
                                            "Caccia al tesoro",
                                            "L'amico ritrovato",
                                            "Citt\u00e0 di frontiera",
                                            "Le strade di {citta}",
                                            "Un amore a {citta}",
                                            "Il giorno pi&ugrave; lungo",
                                            "Tre uomini e un cane",
                                            "Il colore del grano",
                                            "Anni d'oro",
                                            "L'eredit&#224; di {nome}"};

constexpr std::string_view kTvFilmTitles[] = {"{film} (prima parte)", "{film} (seconda parte)",
                                              "Il caso {cognome}",    "Un padre per {nome}",
                                              "Nebbia su {citta}",    "Il coraggio di {nome}"};

constexpr std::string_view kSeriesTitles[] = {
    "L'ispettore Derrick",     "Il commissario {cognome}", "L'ispettore {cognome}",
    "Distretto di {citta}",    "Avvocati a {citta}",       "La famiglia {cognome}",
    "Pronto soccorso {citta}", "Il maresciallo {cognome}", "Squadra mobile {citta}",
    "Il commissario Ferri",    "{serie} - {episodio}",     "Dottor {cognome}"};

constexpr std::string_view kSeriesNames[] = {"L'ispettore Derrick", "Il commissario {cognome}",
                                             "Distretto di {citta}", "Il maresciallo {cognome}"};

constexpr std::string_view kSportTitles[] = {"Calcio: Serie A - {citta} - {citta}",
                                             "Calcio: Serie A - Anticipo",
                                             "Ciclismo: Giro d'Italia, tappa {citta} - {citta}",
                                             "Tennis: Internazionali di {citta}",
                                             "Sci alpino: Coppa del Mondo - Slalom",
                                             "Formula 1: Gran Premio di {gp}",
                                             "Pallavolo: {citta} - {citta}",
                                             "Basket: {citta} - {citta}",
                                             "Atletica: Meeting di {citta}",
                                             "Motociclismo: Gran Premio di {gp}",
                                             "Nuoto: Campionati italiani",
                                             "Sport Notizie",
                                             "Rugby: Sei Nazioni - Italia - Francia",
                                             "Calcio: Coppa Italia - {citta} - {citta}",
                                             "Golf: Open d'Italia",
                                             "Pugilato: titolo europeo dei pesi medi"};

constexpr std::string_view kMusicTitles[] = {"Hit List Italia",
                                             "Concerto di {nome} {cognome}",
                                             "{nome} {cognome} in concerto a {citta}",
                                             "Video mania",
                                             "Classifica della settimana",
                                             "Festival di {citta}",
                                             "Musica no stop",
                                             "Jazz a {citta}",
                                             "Serata d'opera: la Traviata"};

constexpr std::string_view kDocumentaryTitles[] = {"Il pianeta degli animali",
                                                   "Viaggio in {paese}",
                                                   "I segreti del Mediterraneo",
                                                   "La vita degli elefanti",
                                                   "Le grandi civilt\u00e0: gli Etruschi",
                                                   "Misteri di {citta}",
                                                   "Vulcani: la forza della Terra",
                                                   "Il mondo sommerso",
                                                   "Civilt&agrave; perdute",
                                                   "Ali sull'Africa"};

constexpr std::string_view kNewsTitles[] = {
    "Telegiornale delle {ora}", "TG - Edizione delle {ora}",
    "Notiziario regionale",     "TG Flash",
    "Rassegna stampa",          "Meteo e notizie",
    "Notizie dall'estero",      "Ultime notizie delle {ora}"};

constexpr std::string_view kCartoonTitles[] = {
    "Le avventure di {eroe}",       "{eroe} e i suoi amici", "Il mondo di {eroe}",
    "Le nuove avventure di {eroe}", "{eroe} contro tutti",   "Cartoni a colazione"};

constexpr std::string_view kShowTitles[] = {"Sabato sera con {nome} {cognome}",
                                            "La sai l'ultima?",
                                            "Scherzi in piazza",
                                            "Buona domenica",
                                            "Variet\u00e0 in piazza",
                                            "Gran Gal&agrave; di {citta}",
                                            "Il grande gioco",
                                            "Risate in famiglia"};

constexpr std::string_view kRubricTitles[] = {"Linea verde",
                                              "Medicina e salute",
                                              "Check-up",
                                              "In cucina con {nome}",
                                              "Motori",
                                              "Viaggi e sapori",
                                              "Il giardino di {nome}",
                                              "Agenda della settimana"};

constexpr std::string_view kMagazineTitles[] = {
    "Sport Magazine",         "Cinema Magazine", "Moda Magazine",         "Auto Magazine",
    "Settimanale di {citta}", "Tempo libero",    "Salute &amp; benessere"};

constexpr std::string_view kInformationTitles[] = {
    "Primo piano",  "Speciale {citta}",  "Meteo",
    "Porta aperta", "Diario della sera", "Inchiesta: l'Italia che cambia",
    "Filo diretto", "Parlamento oggi"};

constexpr std::string_view kSoapTitles[] = {"Vivere a {citta}", "Sentieri di {citta}",
                                            "Cuori in tempesta", "Passioni", "La casa sul lago"};

// ---- Descriptions by programme type ----------------------------------------------------------

constexpr std::string_view kFilmStories[] = {
    "Un viaggio in treno da {citta} a {citta} diventa l'occasione per fare i conti con il passato.",
    "{nome}, giovane avvocato di {citta}, &egrave; costretto a tornare al paese natale.",
    "Una commedia brillante ambientata nella {citta} degli anni Sessanta.",
    "Dopo vent'anni {nome} ritrova il fratello perduto: ma la verit&#224; &egrave; un'altra.",
    "Un poliziotto e una giornalista indagano su una serie di furti a {citta}.",
    "Il dramma di una famiglia del Sud nel dopoguerra, tra emigrazione e speranza.",
    "Due amici d'infanzia si ritrovano a {citta} per un'ultima, pazza avventura.",
    "La storia vera di un maestro elementare che cambi&ograve; la vita di un paese."};

constexpr std::string_view kSeriesStories[] = {
    "Un furto in una villa sul lago mette alla prova il commissario.",
    "{nome} indaga sulla scomparsa di un giovane musicista di {citta}.",
    "Il dottor {cognome} deve affrontare una difficile scelta in corsia.",
    "Un testimone inatteso riapre un caso che sembrava chiuso.",
    "A {citta} un omicidio senza movente: per la squadra &egrave; una corsa contro il tempo."};

constexpr std::string_view kSportStories[] = {
    "Diretta dallo stadio di {citta}. Telecronaca di {nome} {cognome}.",
    "Le immagini pi&ugrave; belle della giornata, con interviste e commenti.",
    "Sintesi e commento della gara di {citta}.",
    "In diretta la prova decisiva: chi vincer&#224; il titolo?",
    "La Nazionale &#232; in campo per la qualificazione."};

constexpr std::string_view kMusicStories[] = {
    "I video pi&ugrave; richiesti della settimana.", "Il concerto registrato al teatro di {citta}.",
    "Un'ora di musica senza interruzioni.",
    "Le novit&agrave; discografiche presentate da {nome} {cognome}."};

constexpr std::string_view kDocumentaryStories[] = {
    "Un viaggio tra i ghiacci del Polo Nord alla scoperta della vita animale.",
    "La storia della citt&agrave; di {citta}, dalle origini a oggi.",
    "Come nascono i vulcani e perch&eacute; si risvegliano.",
    "Le rotte degli uccelli migratori sopra il Mediterraneo."};

constexpr std::string_view kNewsStories[] = {"Le notizie della giornata dall'Italia e dal mondo.",
                                             "Aggiornamenti, meteo e traffico.",
                                             "Notizie, approfondimenti e collegamenti con {citta}.",
                                             "Conduce {nome} {cognome}. Meteo a seguire."};

constexpr std::string_view kCartoonStories[] = {
    "{eroe} e i suoi amici partono per una nuova avventura.",
    "Una giornata speciale per {eroe}, che deve ritrovare il suo aquilone.",
    "Serie animata per i pi&ugrave; piccoli.",
    "Oggi {eroe} impara che l'amicizia vale pi\u00f9 di un tesoro."};

constexpr std::string_view kShowStories[] = {
    "Ospiti, musica e risate con {nome} {cognome}.",
    "Variet\u00e0 del sabato sera in diretta da {citta}.",
    "La sfida &#232; aperta: giochi, sorprese e tanti ospiti in studio.",
    "Il programma pi&ugrave; amato dalle famiglie torna con una nuova edizione."};

constexpr std::string_view kTalkStories[] = {
    "Consigli e curiosit&agrave; per la casa e la famiglia.",
    "In studio {nome} {cognome} con gli esperti.",
    "Il settimanale di attualit&agrave;, costume e spettacolo.",
    "Servizi e interviste dal mondo dello sport.",
    "Approfondimento sui fatti della settimana con ospiti in studio.",
    "Le previsioni del tempo per tutta l'Italia."};

constexpr std::string_view kSoapStories[] = {
    "{nome} scopre il segreto che la famiglia {cognome} nasconde da anni.",
    "Nuovi colpi di scena nella famiglia {cognome}.",
    "A {citta} arriva un ospite inatteso: per {nome} niente sar&#224; pi&ugrave; come prima."};

// Endings that give descriptions their usual markup.
constexpr std::string_view kStoryEndings[] = {
    "&nbsp;<i>Replica</i>", "<BR>Con la partecipazione di <i>{nome} {cognome}</i>.",
    " <i>(Prima visione)</i>", "&nbsp;Sottotitoli in italiano.", "<BR>Ambientato a {citta}."};

struct NamedList {
    std::string_view name;
    Words words;
};

const std::array<NamedList, 33> kLists = {{
    {"citta", kCities},
    {"nome", kFirstNames},
    {"cognome", kSurnames},
    {"interprete", kPerformers},
    {"paese", kCountries},
    {"gp", kGrandPrix},
    {"eroe", kCartoonHeroes},
    {"episodio", kEpisodes},
    {"serie", kSeriesNames},
    {"film", kFilmTitles},
    {"titoli-Film", kFilmTitles},
    {"titoli-Film TV", kTvFilmTitles},
    {"titoli-Telefilm", kSeriesTitles},
    {"titoli-Sport", kSportTitles},
    {"titoli-Musica", kMusicTitles},
    {"titoli-documentari", kDocumentaryTitles},
    {"titoli-Notiziario", kNewsTitles},
    {"titoli-Cartoni", kCartoonTitles},
    {"titoli-Spettacolo", kShowTitles},
    {"titoli-Rubrica", kRubricTitles},
    {"titoli-Magazine", kMagazineTitles},
    {"titoli-Informazione", kInformationTitles},
    {"titoli-Soap Opera", kSoapTitles},
    {"trame-film", kFilmStories},
    {"trame-serie", kSeriesStories},
    {"trame-sport", kSportStories},
    {"trame-musica", kMusicStories},
    {"trame-documentari", kDocumentaryStories},
    {"trame-notizie", kNewsStories},
    {"trame-cartoni", kCartoonStories},
    {"trame-spettacolo", kShowStories},
    {"trame-rubriche", kTalkStories},
    {"trame-soap", kSoapStories},
}};

constexpr NamedList kEndings{"finali", kStoryEndings};

// One pattern's picks so far: a placeholder written twice in a pattern ("{citta} - {citta}",
// two teams or two towns) never gets the same word twice.
class PatternPicks {
  public:
    std::string_view pick(std::string_view name, Words words, SampleRandom& random) {
        auto index = static_cast<std::size_t>(random.below(static_cast<int>(words.size())));
        // A word already given is replaced by the next free one of the list rather than drawn
        // again, so that every later draw, and every other page, stays as it was.
        for (std::size_t tries = 0; tries < words.size() && taken(name, words[index]); ++tries) {
            index = (index + 1) % words.size();
        }
        picked_.emplace_back(name, words[index]);
        return words[index];
    }

  private:
    bool taken(std::string_view name, std::string_view word) const {
        return std::find(picked_.begin(), picked_.end(), std::pair(name, word)) != picked_.end();
    }

    std::vector<std::pair<std::string_view, std::string_view>> picked_;
};

// Fills placeholders in UTF-8; nested placeholders ({film} holding {citta}) are filled too.
std::string fillUtf8(std::string_view pattern, SampleRandom& random, std::string_view hour,
                     int depth) {
    PatternPicks picks;
    std::string out;
    std::size_t at = 0;
    while (at < pattern.size()) {
        std::size_t open = pattern.find('{', at);
        std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) {
            out += pattern.substr(at);
            break;
        }
        out += pattern.substr(at, open - at);
        std::string_view name = pattern.substr(open + 1, close - open - 1);
        if (name == "ora") {
            out += hour;
        } else if (Words words = wordList(name); !words.empty() && depth < 3) {
            out += fillUtf8(picks.pick(name, words, random), random, hour, depth + 1);
        }
        at = close + 1;
    }
    return out;
}

}  // namespace

Words wordList(std::string_view name) {
    if (name == kEndings.name) {
        return kEndings.words;
    }
    for (const NamedList& list : kLists) {
        if (list.name == name) {
            return list.words;
        }
    }
    return {};
}

std::string fillPattern(std::string_view pattern, SampleRandom& random, std::string_view hour) {
    return utf8ToLatin1(fillUtf8(pattern, random, hour, 0));
}

std::string composeFrom(std::string_view listName, SampleRandom& random, std::string_view hour) {
    Words patterns = wordList(listName);
    if (patterns.empty()) {
        return {};
    }
    return fillPattern(random.pick(patterns), random, hour);
}

}  // namespace zelidor::samplesite
