// The check for a newer release of the program, made once per program run before the first
// channel-day is fetched.
#pragma once

#include <string>

#include "engine/ports.h"

namespace zelidor {

inline constexpr double kProgramVersion = 1.2;

// Reads "http://" + updateHost + "/zelidor/codes/release.txt" and announces a higher release
// number (and opens the home page); an unreachable release file gives the connection warning.
void checkForUpdate(PageFetcher& fetcher, Dialogs& dialogs, Desktop& desktop,
                    const std::string& updateHost);

// The program's home page, opened when a newer release is announced.
std::string homePageAddress(const std::string& updateHost);

}  // namespace zelidor
