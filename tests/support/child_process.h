// A program of this build run as a process of its own, as a user or a script starts it: its
// standard input empty, its outputs collected in files (so a chatty child never blocks on a full
// pipe), and at its end the exit code or signal and its peak memory.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zelidor::test {

// A program laid out beside the test programs (zelidor-cli, zelidor-sample-site).
std::filesystem::path builtProgram(const std::string& name);

struct ProcessEnd {
    int exitCode = -1;  // -1 when the program did not exit by itself
    int signal = 0;     // the signal that ended it, 0 when none did
    long peakKib = 0;   // its peak resident memory
    std::string out, err;
};

class ChildProcess {
  public:
    ChildProcess(const std::filesystem::path& program, std::vector<std::string> args);
    // A child still running is killed and reaped.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void kill(int signal);
    // What the child has written to its standard output so far.
    std::string outputSoFar() const;
    ProcessEnd wait();

  private:
    TempDir outputs_;
    pid_t pid_ = -1;
};

// zelidor-cli --app-folder appFolder args..., run to its end.
ProcessEnd runCli(const std::filesystem::path& appFolder, std::vector<std::string> args);

}  // namespace zelidor::test
