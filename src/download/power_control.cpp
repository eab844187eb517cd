#include "download/power_control.h"

#include <spawn.h>
#include <sys/types.h>

#include <cstdlib>

extern char** environ;

namespace zelidor {

std::optional<ShutdownMode> shutdownModeFromText(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '4') {
        return static_cast<ShutdownMode>(text[0] - '0');
    }
    return std::nullopt;
}

std::vector<std::string> shutdownCommand(ShutdownMode mode) {
    switch (mode) {
        case ShutdownMode::LogOff:
            return {"loginctl", "terminate-session", ""};
        case ShutdownMode::Shutdown:
            return {"systemctl", "poweroff"};
        case ShutdownMode::Reboot:
            return {"systemctl", "reboot"};
        case ShutdownMode::Forced:
            return {"systemctl", "poweroff", "--force"};
        case ShutdownMode::PowerOff:
            return {"systemctl", "poweroff"};
    }
    return {};
}

void SystemPowerControl::request(ShutdownMode mode) {
    std::vector<std::string> command = shutdownCommand(mode);
    if (mode == ShutdownMode::LogOff) {
        // An empty session id means the session of the caller; pass the one from the
        // environment when present so a program started from a menu logs off its own session.
        const char* session = std::getenv("XDG_SESSION_ID");
        command.back() = session ? session : "";
        if (command.back().empty()) {
            command.pop_back();
        }
    }
    std::vector<char*> argv;
    for (std::string& part : command) {
        argv.push_back(part.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    // The request is fire-and-forget: the system takes over from here.
    posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
}

}  // namespace zelidor
