#include "engine/fetch/update_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/fetch/curl_fetcher.h"
#include "support/local_server.h"

namespace zelidor {
namespace {

struct Shown {
    std::string title;
    std::string text;
    MessageIcon icon;
};

class RecordingDialogs : public Dialogs {
  public:
    void message(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({title, text, icon});
    }
    Answer question(const std::string&, const std::string&) override { return Answer::Cancel; }
    std::vector<Shown> shown;
};

class RecordingDesktop : public Desktop {
  public:
    void open(const std::string& address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

struct Outcome {
    std::vector<Shown> shown;
    std::vector<std::string> opened;
    std::string host;
};

// Runs the check against a local release file holding body (or answering with status).
Outcome checkAgainst(const std::string& body, int status = 200) {
    test::LocalServer server;
    server.server().Get("/zelidor/codes/release.txt",
                        [body, status](const httplib::Request&, httplib::Response& res) {
                            res.status = status;
                            res.set_content(body, "text/plain");
                        });
    server.start();
    RecordingDialogs dialogs;
    RecordingDesktop desktop;
    {
        // Gone before the server stops, so no kept-alive connection holds the server up.
        CurlFetcher fetcher;
        checkForUpdate(fetcher, dialogs, desktop, server.host());
    }
    return {dialogs.shown, desktop.opened, server.host()};
}

TEST(UpdateCheck, TheSameOrAnOlderReleaseShowsNothing) {
    for (const char* body : {"1.2", "1.2\r\n", "1.19", "  0.9"}) {
        Outcome outcome = checkAgainst(body);
        EXPECT_TRUE(outcome.shown.empty()) << body;
        EXPECT_TRUE(outcome.opened.empty()) << body;
    }
}

TEST(UpdateCheck, ANewerReleaseIsAnnouncedAndTheHomePageOpened) {
    Outcome outcome = checkAgainst("1.21\r\nmore text");
    ASSERT_EQ(outcome.shown.size(), 1u);
    EXPECT_EQ(outcome.shown[0].title, "Nuova Versione Disponibile!");
    EXPECT_EQ(outcome.shown[0].text,
              "C'e' una versione aggiornata di Zelidor on-line, corri a scaricarla! ");
    EXPECT_EQ(outcome.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(outcome.opened, std::vector<std::string>{"http://" + outcome.host + "/zelidor/"});
}

TEST(UpdateCheck, ANumberWrittenWithACommaOrNoNumberAnnouncesNothing) {
    for (const char* body : {"1,3", "versione 2.0", "", "\xFF\xFE garbage"}) {
        Outcome outcome = checkAgainst(body);
        EXPECT_TRUE(outcome.shown.empty()) << body;
        EXPECT_TRUE(outcome.opened.empty()) << body;
    }
}

TEST(UpdateCheck, AnUnreachableReleaseFileGivesTheConnectionWarning) {
    CurlFetcher fetcher;
    RecordingDialogs dialogs;
    RecordingDesktop desktop;
    const std::string host = "127.0.0.1:" + std::to_string(test::closedPort());
    checkForUpdate(fetcher, dialogs, desktop, host);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "WARNING!");
    EXPECT_EQ(dialogs.shown[0].text,
              "Errore di lettura dal web, SEI CONNESSO?\r\n\r\nSe sei connesso, allora e' "
              "possibile che il tuo Explorer sia settato 'NON IN LINEA', apri una finestra, vai "
              "su file e ripristina il collegamento!");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(desktop.opened.empty());
}

TEST(UpdateCheck, AMissingReleaseFileIsUnreachableNotReadAsAnErrorPage) {
    Outcome outcome = checkAgainst("9.9 Not Found", 404);
    ASSERT_EQ(outcome.shown.size(), 1u);
    EXPECT_EQ(outcome.shown[0].title, "WARNING!");
    EXPECT_TRUE(outcome.opened.empty());
}

}  // namespace
}  // namespace zelidor
