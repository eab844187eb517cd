#include "engine/fetch/update_check.h"

#include "common/number.h"

namespace zelidor {

namespace {

constexpr const char* kNewReleaseTitle = "Nuova Versione Disponibile!";
constexpr const char* kNewReleaseText =
    "C'e' una versione aggiornata di Zelidor on-line, corri a scaricarla! ";
constexpr const char* kOfflineTitle = "WARNING!";
constexpr const char* kOfflineText =
    "Errore di lettura dal web, SEI CONNESSO?\r\n\r\n"
    "Se sei connesso, allora e' possibile che il tuo Explorer sia settato 'NON IN LINEA', apri "
    "una finestra, vai su file e ripristina il collegamento!";

std::string releaseFileAddress(const std::string& updateHost) {
    return "http://" + updateHost + "/zelidor/codes/release.txt";
}

}  // namespace

std::string homePageAddress(const std::string& updateHost) {
    return "http://" + updateHost + "/zelidor/";
}

void checkForUpdate(PageFetcher& fetcher, Dialogs& dialogs, Desktop& desktop,
                    const std::string& updateHost) {
    std::optional<std::string> release = fetcher.downloadToText(releaseFileAddress(updateHost));
    if (!release) {
        dialogs.message(kOfflineTitle, kOfflineText, MessageIcon::Exclamation);
        return;
    }
    // Both sides are the nearest double to their decimal text, so a release file holding 1.2
    // compares equal to the own version and announces nothing.
    if (kProgramVersion < leadingNumber(*release)) {
        dialogs.message(kNewReleaseTitle, kNewReleaseText, MessageIcon::Critical);
        desktop.open(homePageAddress(updateHost));
    }
}

}  // namespace zelidor
