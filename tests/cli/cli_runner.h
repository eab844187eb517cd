// Runs the built zelidor-cli as a child process on an application folder and collects what it
// printed and its exit code.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelidor::test {

struct CliRun {
    int exitCode = -1;  // -1 when the program did not end normally
    std::string out;
    std::string err;
};

// zelidor-cli --app-folder appFolder args..., with no input.
CliRun runCli(const std::filesystem::path& appFolder, std::vector<std::string> args);

}  // namespace zelidor::test
