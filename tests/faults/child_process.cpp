#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "config/config_store.h"
#include "support/temp_dir.h"

namespace zelidor::test {

std::filesystem::path cliProgram() {
    return std::filesystem::path(ZELIDOR_APP_DIR) / "zelidor-cli";
}

void prepareCliFolder(const std::filesystem::path& appFolder, const std::string& listingsHost) {
    std::filesystem::copy(std::filesystem::path(ZELIDOR_APP_DIR) / "TV", appFolder / "TV",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    ConfigStore config(appFolder);
    config.setText(ConfigField::ListingsHost, listingsHost);
    config.setText(ConfigField::UpdateHost, listingsHost);
    config.setNumber(ConfigField::CheckUpdate, 0);
}

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& args,
                           const std::filesystem::path& outputFolder)
    : outputFolder_(outputFolder) {
    std::filesystem::create_directories(outputFolder);
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);
    const std::string out = (outputFolder / "stdout.txt").string();
    const std::string err = (outputFolder / "stderr.txt").string();
    pid_ = ::fork();
    if (pid_ < 0) {
        throw std::runtime_error("cannot fork");
    }
    if (pid_ == 0) {
        int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int nullFd = ::open("/dev/null", O_RDONLY);
        if (outFd < 0 || errFd < 0 || nullFd < 0 || ::dup2(nullFd, 0) < 0 || ::dup2(outFd, 1) < 0 ||
            ::dup2(errFd, 2) < 0) {
            ::_exit(126);
        }
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
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

ChildProcess::Exit ChildProcess::wait() {
    Exit exit;
    struct rusage usage {};
    if (pid_ > 0 && ::wait4(pid_, &exit.status, 0, &usage) == pid_) {
        exit.peakKib = usage.ru_maxrss;
    }
    pid_ = -1;
    exit.errors = readFile(outputFolder_ / "stderr.txt");
    return exit;
}

}  // namespace zelidor::test
