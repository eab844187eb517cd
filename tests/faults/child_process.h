// zelidor-cli started as a process of its own, for tests that watch it, kill it or measure it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zelidor::test {

// The command line program of this build.
std::filesystem::path cliProgram();

// Makes the application folder ready for zelidor-cli: the channel files of this build in TV/,
// and the listings (and release) host in the settings, with no update check.
void prepareCliFolder(const std::filesystem::path& appFolder, const std::string& listingsHost);

class ChildProcess {
  public:
    // Starts program with args; its output goes to stdout.txt and stderr.txt in outputFolder.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                 const std::filesystem::path& outputFolder);
    // A child still running is killed and reaped.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void kill(int signal);

    struct Exit {
        int status = 0;      // as waitpid gives it
        long peakKib = 0;    // the child's peak resident memory
        std::string errors;  // what it wrote to stderr
    };
    Exit wait();

  private:
    pid_t pid_ = -1;
    std::filesystem::path outputFolder_;
};

}  // namespace zelidor::test
