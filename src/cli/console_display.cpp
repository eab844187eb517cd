#include "cli/console_display.h"

#include <algorithm>

#include "common/text.h"

namespace zelidor::cli {

namespace {

constexpr int kBarWidth = 24;
constexpr std::size_t kLineWidth = 79;

}  // namespace

ConsoleDisplay::ConsoleDisplay(std::FILE* logOut, std::FILE* progressOut, bool progressBar)
    : logOut_(logOut), progressOut_(progressOut), bar_(progressBar) {}

void ConsoleDisplay::runStarted(int channelMaximum, int dayMaximum) {
    // The channel bar counts one step more than there are channels (the end of the run).
    channelMaximum_ = channelMaximum - 1;
    dayMaximum_ = dayMaximum;
    channelValue_ = 0;
    dayValue_ = 0;
}

void ConsoleDisplay::channelProgress(int value) {
    channelValue_ = std::min(value, channelMaximum_);
    if (!bar_ && value <= channelMaximum_) {
        std::fprintf(progressOut_, "progress: %d/%d channels\n", channelValue_, channelMaximum_);
        std::fflush(progressOut_);
    }
    drawProgress();
}

void ConsoleDisplay::dayProgress(int value) {
    dayValue_ = value;
    drawProgress();
}

void ConsoleDisplay::runFinished() {
    clearBar();
}

void ConsoleDisplay::appendLog(const std::string& line) {
    clearBar();
    std::fprintf(logOut_, "%s\n", latin1ToUtf8(line).c_str());
    std::fflush(logOut_);
    drawProgress();
}

void ConsoleDisplay::showTitleCaption(const std::string& title) {
    title_ = title;
    drawProgress();
}

void ConsoleDisplay::showMainStatus(const std::string& text) {
    clearBar();
    std::fprintf(progressOut_, "status: %s\n", latin1ToUtf8(text).c_str());
    drawProgress();
}

void ConsoleDisplay::setCurrentChannel(const std::string& channel) {
    channel_ = channel;
    title_.clear();
    drawProgress();
}

void ConsoleDisplay::drawProgress() {
    if (!bar_ || channelMaximum_ <= 0) {
        return;
    }
    int filled = kBarWidth * channelValue_ / channelMaximum_;
    // Appended piece by piece: "literal" + std::string makes GCC 12 warn falsely (-Wrestrict)
    // in optimised builds.
    std::string line = "[";
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    line.append("] ").append(std::to_string(channelValue_)).append("/");
    line.append(std::to_string(channelMaximum_)).append(" day ").append(std::to_string(dayValue_));
    line.append("/").append(std::to_string(dayMaximum_)).append(" ").append(channel_);
    if (!title_.empty()) {
        line.append(": ").append(title_);
    }
    if (line.size() > kLineWidth) {
        line.resize(kLineWidth);
    }
    std::fprintf(progressOut_, "\r\033[K%s", latin1ToUtf8(line).c_str());
    std::fflush(progressOut_);
    barShown_ = true;
}

void ConsoleDisplay::clearBar() {
    if (barShown_) {
        std::fprintf(progressOut_, "\r\033[K");
        std::fflush(progressOut_);
        barShown_ = false;
    }
}

}  // namespace zelidor::cli
