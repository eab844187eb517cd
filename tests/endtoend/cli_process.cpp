#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>

#include "support/temp_dir.h"

extern char** environ;

namespace zelidor::test {

CliOutcome runCli(const std::vector<std::string>& arguments) {
    // Outputs go to files rather than pipes, so a chatty child can never block on a full pipe.
    TempDir outputs;
    const std::string outFile = (outputs / "out").string();
    const std::string errFile = (outputs / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT, 0600);

    std::vector<std::string> words{ZELIDOR_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    int failed = posix_spawn(&child, ZELIDOR_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + std::string(ZELIDOR_CLI));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return CliOutcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outFile),
                      readFile(errFile)};
}

}  // namespace zelidor::test
