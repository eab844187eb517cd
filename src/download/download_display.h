// The download window as the driver writes to it: progress, status label, calendar, log.
#pragma once

#include <string>

#include "common/day.h"

namespace zelidor {

enum class StatusColour { DarkRed, Green };

class DownloadDisplay {
  public:
    virtual ~DownloadDisplay() = default;
    // The run starts: the channel bar goes up to channelMaximum, the day bar to dayMaximum.
    virtual void runStarted(int /*channelMaximum*/, int /*dayMaximum*/) {}
    virtual void channelProgress(int /*value*/) {}
    virtual void dayProgress(int /*value*/) {}
    // The status label ("Download In Progress...Please Wait", "Import Completed !").
    virtual void showRunStatus(const std::string& /*text*/, StatusColour /*colour*/) {}
    // The calendar follows the day being downloaded and returns to the first day after a channel.
    virtual void showCalendarDay(const Day& /*day*/) {}
    virtual void resetLiveView() {}
    virtual void appendLog(const std::string& /*line*/) {}
    // The run is over (also after Stop): the start command is available again.
    virtual void runFinished() {}
};

}  // namespace zelidor
