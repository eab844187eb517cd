#include "engine/fetch/update_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/fetch/curl_fetcher.h"
#include "support/local_server.h"
#include "support/recording_dialogs.h"

namespace zelidor {
namespace {

using test::Box;
using test::RecordingDialogs;

// Runs the check against a local release file holding body (or answering with status).
RecordingDialogs checkAgainst(const std::string& body, int status = 200,
                              std::string* host = nullptr) {
    test::LocalServer server;
    server.server().Get("/zelidor/codes/release.txt",
                        [&](const httplib::Request&, httplib::Response& res) {
                            res.status = status;
                            res.set_content(body, "text/plain");
                        });
    server.start();
    RecordingDialogs recorder;
    CurlFetcher fetcher;
    checkForUpdate(fetcher, recorder, recorder, server.host());
    if (host) {
        *host = server.host();
    }
    return recorder;
}

TEST(UpdateCheck, ANewerReleaseIsAnnouncedAndTheHomePageOpened) {
    std::string host;
    RecordingDialogs r = checkAgainst("1.21\r\nmore text", 200, &host);
    EXPECT_EQ(r.boxes, (std::vector<Box>{{"Nuova Versione Disponibile!",
                                          "C'e' una versione aggiornata di Zelidor on-line, corri "
                                          "a scaricarla! ",
                                          MessageIcon::Critical}}));
    EXPECT_EQ(r.opened, std::vector<std::string>{"http://" + host + "/zelidor/"});
}

TEST(UpdateCheck, TheSameOrAnOlderOrUnreadableReleaseAnnouncesNothing) {
    for (const char* body :
         {"1.2", "1.2\r\n", "1.19", "  0.9", "1,3", "versione 2.0", "", "\xFF\xFE"}) {
        RecordingDialogs r = checkAgainst(body);
        EXPECT_TRUE(r.boxes.empty()) << body;
        EXPECT_TRUE(r.opened.empty()) << body;
    }
}

TEST(UpdateCheck, AnUnreachableOrMissingReleaseFileGivesTheConnectionWarning) {
    RecordingDialogs refused;
    CurlFetcher fetcher;
    checkForUpdate(fetcher, refused, refused, "127.0.0.1:" + std::to_string(test::closedPort()));
    // A missing file's error page is never read as a release number.
    for (const RecordingDialogs& r : {refused, checkAgainst("9.9 Not Found", 404)}) {
        EXPECT_EQ(
            r.boxes,
            (std::vector<Box>{{"WARNING!",
                               "Errore di lettura dal web, SEI CONNESSO?\r\n\r\nSe sei "
                               "connesso, allora e' possibile che il tuo Explorer sia settato "
                               "'NON IN LINEA', apri una finestra, vai su file e ripristina "
                               "il collegamento!",
                               MessageIcon::Exclamation}}));
        EXPECT_TRUE(r.opened.empty());
    }
}

}  // namespace
}  // namespace zelidor
