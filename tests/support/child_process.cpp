#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace zelidor::test {

std::filesystem::path builtProgram(const std::string& name) {
    return std::filesystem::path(ZELIDOR_APP_DIR) / name;
}

ChildProcess::ChildProcess(const std::filesystem::path& program, std::vector<std::string> args) {
    const std::string out = (outputs_ / "out").string();
    const std::string err = (outputs_ / "err").string();
    writeFile(out, "");  // there to read before the child writes
    writeFile(err, "");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT,
                                     0600);
    args.insert(args.begin(), program.string());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + program.string());
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

void ChildProcess::kill(int signal) {
    if (pid_ > 0) {
        ::kill(pid_, signal);
    }
}

std::string ChildProcess::outputSoFar() const {
    return readFile(outputs_ / "out");
}

ProcessEnd ChildProcess::wait() {
    ProcessEnd end;
    int status = 0;
    rusage usage{};
    if (pid_ > 0 && ::wait4(pid_, &status, 0, &usage) == pid_) {
        end.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        end.peakKib = usage.ru_maxrss;
    }
    pid_ = -1;
    end.out = readFile(outputs_ / "out");
    end.err = readFile(outputs_ / "err");
    return end;
}

ProcessEnd runCli(const std::filesystem::path& appFolder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--app-folder", appFolder.string()});
    return ChildProcess(builtProgram("zelidor-cli"), std::move(args)).wait();
}

}  // namespace zelidor::test
