#include "platform/host_process.h"

#include <cerrno>
#include <cstring>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/host_path.h"
#include "platform/program_directory.h"

namespace cuffware {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < commandLine.size()) {
        size_t start = commandLine.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        size_t end = commandLine.find(' ', start);
        if (end == std::string::npos)
            end = commandLine.size();
        words.push_back(commandLine.substr(start, end - start));
        pos = end;
    }
    return words;
}

#ifndef _WIN32
namespace {

// Runs argv; with wait the exit status is returned, else the child is left to
// run on by itself (a grandchild, so no zombie remains).
Result<int> Spawn(const std::vector<std::string>& argv, bool wait, const std::string& what) {
    if (argv.empty())
        return Diagnostic{what, 0, "nothing to run"};
    int errorPipe[2];
    if (pipe(errorPipe) != 0)
        return Diagnostic{what, 0, std::strerror(errno)};
    pid_t child = fork();
    if (child < 0)
        return Diagnostic{what, 0, std::strerror(errno)};
    if (child == 0) {
        close(errorPipe[0]);
        if (!wait && fork() != 0)
            _exit(0);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        fcntl(errorPipe[1], F_SETFD, FD_CLOEXEC);
        execv(args[0], args.data());
        int error = errno;
        (void)!write(errorPipe[1], &error, sizeof error);
        _exit(127);
    }
    close(errorPipe[1]);
    int status = 0;
    if (!wait)
        waitpid(child, &status, 0);
    int execError = 0;
    ssize_t got = read(errorPipe[0], &execError, sizeof execError);
    close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof execError))
        return Diagnostic{what, 0, "cannot be started: " + std::string(std::strerror(execError))};
    if (!wait)
        return 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> CommandArgv(const std::string& commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (!words.empty())
        words[0] = HostPath(words[0]);
    return words;
}

std::vector<std::string> BatchArgv(const std::string& batchPathText) {
    return {InProgramDirectory("cuffware-batch"), HostPath(batchPathText)};
}

class Host : public ProcessStarter {
  public:
    Status StartBatch(const std::string& batchPathText) override {
        Result<int> started = Spawn(BatchArgv(batchPathText), false, batchPathText);
        return started.ok() ? Status::Ok() : Status(started.error());
    }
    Result<int> RunBatch(const std::string& batchPathText) override {
        return Spawn(BatchArgv(batchPathText), true, batchPathText);
    }
    Status StartCommandLine(const std::string& commandLine) override {
        std::vector<std::string> argv = SplitCommandLine(commandLine);
        Result<int> started = Spawn(CommandArgv(commandLine), false, argv.empty() ? "" : argv[0]);
        return started.ok() ? Status::Ok() : Status(started.error());
    }
    Result<int> RunCommandLine(const std::string& commandLine) override {
        std::vector<std::string> argv = SplitCommandLine(commandLine);
        return Spawn(CommandArgv(commandLine), true, argv.empty() ? "" : argv[0]);
    }
};

}  // namespace

ProcessStarter& HostProcesses() {
    static Host host;
    return host;
}
#endif

}  // namespace cuffware
