// Logging off, shutting down or restarting the computer after a download, when the user asked
// for it. Behind an interface so that tests and the sample set-up record the request instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelidor {

// The five modes of the download window, in the order of its option buttons (index 0..4).
enum class ShutdownMode { LogOff = 0, Shutdown = 1, Reboot = 2, Forced = 3, PowerOff = 4 };

// The stored ShutType text ("0".."4"); anything else gives no mode.
std::optional<ShutdownMode> shutdownModeFromText(const std::string& text);

class PowerControl {
  public:
    virtual ~PowerControl() = default;
    virtual void request(ShutdownMode mode) = 0;
};

// The command that carries a mode out on a systemd desktop.
std::vector<std::string> shutdownCommand(ShutdownMode mode);

// Starts shutdownCommand(mode) without waiting for it.
class SystemPowerControl : public PowerControl {
  public:
    void request(ShutdownMode mode) override;
};

}  // namespace zelidor
