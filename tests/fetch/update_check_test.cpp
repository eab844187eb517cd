#include "engine/fetch/update_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/fetch/curl_fetcher.h"
#include "support/local_server.h"

namespace zelidor {
namespace {

struct Shown {
    std::string title, text;
    MessageIcon icon;
};

struct Recorder : Dialogs, Desktop {
    void message(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({title, text, icon});
    }
    Answer question(const std::string&, const std::string&) override { return Answer::Cancel; }
    void open(const std::string& address) override { opened.push_back(address); }
    std::vector<Shown> shown;
    std::vector<std::string> opened;
};

// Runs the check against a local release file holding body (or answering with status).
Recorder checkAgainst(const std::string& body, int status = 200, std::string* host = nullptr) {
    test::LocalServer server;
    server.server().Get("/zelidor/codes/release.txt",
                        [&](const httplib::Request&, httplib::Response& res) {
                            res.status = status;
                            res.set_content(body, "text/plain");
                        });
    server.start();
    Recorder recorder;
    CurlFetcher fetcher;
    checkForUpdate(fetcher, recorder, recorder, server.host());
    if (host) {
        *host = server.host();
    }
    return recorder;
}

TEST(UpdateCheck, ANewerReleaseIsAnnouncedAndTheHomePageOpened) {
    std::string host;
    Recorder r = checkAgainst("1.21\r\nmore text", 200, &host);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].title, "Nuova Versione Disponibile!");
    EXPECT_EQ(r.shown[0].text,
              "C'e' una versione aggiornata di Zelidor on-line, corri a scaricarla! ");
    EXPECT_EQ(r.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(r.opened, std::vector<std::string>{"http://" + host + "/zelidor/"});
}

TEST(UpdateCheck, TheSameOrAnOlderOrUnreadableReleaseAnnouncesNothing) {
    for (const char* body :
         {"1.2", "1.2\r\n", "1.19", "  0.9", "1,3", "versione 2.0", "", "\xFF\xFE"}) {
        Recorder r = checkAgainst(body);
        EXPECT_TRUE(r.shown.empty()) << body;
        EXPECT_TRUE(r.opened.empty()) << body;
    }
}

TEST(UpdateCheck, AnUnreachableOrMissingReleaseFileGivesTheConnectionWarning) {
    Recorder refused;
    CurlFetcher fetcher;
    checkForUpdate(fetcher, refused, refused, "127.0.0.1:" + std::to_string(test::closedPort()));
    // A missing file's error page is never read as a release number.
    for (const Recorder& r : {refused, checkAgainst("9.9 Not Found", 404)}) {
        ASSERT_EQ(r.shown.size(), 1u);
        EXPECT_EQ(r.shown[0].title, "WARNING!");
        EXPECT_EQ(r.shown[0].text,
                  "Errore di lettura dal web, SEI CONNESSO?\r\n\r\nSe sei connesso, allora e' "
                  "possibile che il tuo Explorer sia settato 'NON IN LINEA', apri una finestra, "
                  "vai su file e ripristina il collegamento!");
        EXPECT_EQ(r.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(r.opened.empty());
    }
}

}  // namespace
}  // namespace zelidor
