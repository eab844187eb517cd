// zelidor-sample-site as a program: it prints the address it serves, serves it, and ends
// cleanly on SIGTERM; a bad command line fails.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>

#include "raw_http.h"

namespace zelidor::samplesite {
namespace {

// Starts the program with its standard output on a pipe.
std::FILE* launch(std::vector<std::string> args, pid_t& pid) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    args.insert(args.begin(), std::string(ZELIDOR_APP_DIR) + "/zelidor-sample-site");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    return ::fdopen(ends[0], "r");
}

int exitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SampleSiteProgram, PrintsItsAddressServesAndEndsOnSigterm) {
    pid_t pid = -1;
    std::FILE* output = launch({"--port", "0", "--latency-ms", "10"}, pid);
    char line[128] = {};
    int port = 0;
    if (std::fgets(line, sizeof line, output) == nullptr ||
        std::sscanf(line, "http://127.0.0.1:%d/", &port) != 1) {
        ADD_FAILURE() << "no address printed: " << line;
    } else {
        EXPECT_EQ(test::rawGet(port, "/zelidor/codes/release.txt").body, "1.2");
    }
    ::kill(pid, SIGTERM);
    EXPECT_EQ(exitCode(pid), 0);
    std::fclose(output);

    output = launch({"--latency-ms", "5"}, pid);  // --port is required
    EXPECT_NE(exitCode(pid), 0);
    std::fclose(output);
}

}  // namespace
}  // namespace zelidor::samplesite
