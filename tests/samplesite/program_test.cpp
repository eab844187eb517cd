// zelidor-sample-site as a program: it prints the address it serves, serves it, and ends
// cleanly on SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "raw_http.h"

namespace zelidor::samplesite {
namespace {

struct Program {
    pid_t pid = -1;
    std::FILE* output = nullptr;
};

Program launch(std::vector<std::string> args) {
    int pipeEnds[2];
    EXPECT_EQ(::pipe(pipeEnds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string program = std::string(ZELIDOR_APP_DIR) + "/zelidor-sample-site";
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    Program launched;
    EXPECT_EQ(posix_spawn(&launched.pid, program.c_str(), &actions, nullptr, argv.data(), environ),
              0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    launched.output = ::fdopen(pipeEnds[0], "r");
    return launched;
}

int waitForExit(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SampleSiteProgram, PrintsItsAddressServesAndEndsOnSigterm) {
    Program program = launch({"--port", "0", "--latency-ms", "10"});
    char line[128] = {};
    ASSERT_NE(std::fgets(line, sizeof line, program.output), nullptr);
    int port = 0;
    ASSERT_EQ(std::sscanf(line, "http://127.0.0.1:%d/", &port), 1) << line;
    EXPECT_EQ(test::rawGet(port, "/zelidor/codes/release.txt").body, "1.2");
    ::kill(program.pid, SIGTERM);
    EXPECT_EQ(waitForExit(program.pid), 0);
    std::fclose(program.output);
}

TEST(SampleSiteProgram, ABadCommandLineOrABusyPortFails) {
    Program noPort = launch({});
    EXPECT_NE(waitForExit(noPort.pid), 0);
    std::fclose(noPort.output);

    Program first = launch({"--port", "0"});
    char line[128] = {};
    ASSERT_NE(std::fgets(line, sizeof line, first.output), nullptr);
    std::string port = std::string(line).substr(17, std::string(line).find('/', 17) - 17);
    Program second = launch({"--port", port});
    EXPECT_EQ(waitForExit(second.pid), 1);
    std::fclose(second.output);
    ::kill(first.pid, SIGTERM);
    EXPECT_EQ(waitForExit(first.pid), 0);
    std::fclose(first.output);
}

}  // namespace
}  // namespace zelidor::samplesite
