// The download as the command line shows it: log lines on standard output as they come, and
// progress on standard error (a redrawn bar on a terminal, plain lines otherwise).
#pragma once

#include <cstdio>
#include <string>

#include "download/download_display.h"
#include "engine/ports.h"

namespace zelidor::cli {

class ConsoleDisplay : public DownloadDisplay, public EngineDisplay {
  public:
    ConsoleDisplay(std::FILE* logOut, std::FILE* progressOut, bool progressBar);

    // Download driver
    void runStarted(int channelMaximum, int dayMaximum) override;
    void channelProgress(int value) override;
    void dayProgress(int value) override;
    void runFinished() override;
    // Both: the log, and the live view (nothing to show in a terminal).
    void appendLog(const std::string& line) override;
    void resetLiveView() override {}
    // Engine
    void showTitleCaption(const std::string& title) override;
    void showMainStatus(const std::string& text) override;

    // The channel the next channel-day belongs to (shown in the bar).
    void setCurrentChannel(const std::string& channel);

  private:
    void drawProgress();
    void clearBar();

    std::FILE* logOut_;
    std::FILE* progressOut_;
    bool bar_;
    bool barShown_ = false;
    int channelMaximum_ = 0;
    int dayMaximum_ = 0;
    int channelValue_ = 0;
    int dayValue_ = 0;
    std::string channel_;
    std::string title_;
};

}  // namespace zelidor::cli
