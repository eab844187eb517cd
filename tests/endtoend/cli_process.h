// Runs the zelidor-cli program as a child process, the way a user or a script would.
#pragma once

#include <string>
#include <vector>

namespace zelidor::test {

struct CliOutcome {
    int exitCode = -1;  // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs zelidor-cli with the arguments, standard input empty, and collects both outputs.
CliOutcome runCli(const std::vector<std::string>& arguments);

}  // namespace zelidor::test
