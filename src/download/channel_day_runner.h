// The driver's view of the script engine: run one channel-day and say how it went.
#pragma once

#include <string>

namespace zelidor {

struct ChannelDayOutcome {
    bool scriptValid = false;     // a web query was found
    bool listingFetched = false;  // the listing page could be opened
    bool cancelled = false;       // the user ended the run through a question box
    int saved = 0;                // programmes handed to the store
};

class ChannelDayRunner {
  public:
    virtual ~ChannelDayRunner() = default;
    // A download run begins: byte counters and the speed clock start again.
    virtual void startSession() = 0;
    // Runs the script named scriptName ("Canale 5.zdr") for dayStamp ("yyyymmdd").
    virtual ChannelDayOutcome runChannelDay(const std::string& scriptName,
                                            const std::string& dayStamp) = 0;
};

}  // namespace zelidor
