// Starting processes off Windows: fork and exec, a Windows program under
// wine, and the batch runner for a batch file.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host_path.h"
#include "platform/host_process.h"
#include "platform/path_text.h"
#include "platform/program_directory.h"

extern char** environ;  // the variables we inherited, as POSIX declares them

namespace cuffware {

const char kPathListSeparator = ':';

namespace {

// What the child reports through the pipe when it cannot become the program.
struct ChildFailure {
    enum Stage { kEnterDirectory, kOpenOutput, kExecute } stage;
    int error;
};

[[noreturn]] void Fail(int pipe, ChildFailure::Stage stage) {
    ChildFailure failure{stage, errno};
    (void)!write(pipe, &failure, sizeof failure);
    _exit(127);
}

// In the child, after fork: only async-signal-safe calls from here on.
[[noreturn]] void BecomeProgram(const ProgramRun& run, char* const* args, char* const* environment,
                                bool detached, int pipe) {
    if (!run.workingDirectory.empty() && chdir(run.workingDirectory.c_str()) != 0)
        Fail(pipe, ChildFailure::kEnterDirectory);
    if (!run.outputFile.empty()) {
        int output = open(run.outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (output < 0)
            Fail(pipe, ChildFailure::kOpenOutput);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        close(output);
    }
    if (detached) {
        int nothing = open("/dev/null", O_RDONLY);
        if (nothing >= 0) {
            dup2(nothing, STDIN_FILENO);
            close(nothing);
        }
    }
    execve(args[0], args, environment);
    Fail(pipe, ChildFailure::kExecute);
}

// In the go-between of a detached start: forks the program off and ends, so
// the program runs on in a session of its own and leaves no zombie.
void DetachFromUs(int pipe) {
    pid_t program = fork();
    if (program < 0)
        Fail(pipe, ChildFailure::kExecute);
    if (program > 0)
        _exit(0);
    setsid();
}

std::string FailureText(const ProgramRun& run, const ChildFailure& failure) {
    std::string reason = std::strerror(failure.error);
    switch (failure.stage) {
        case ChildFailure::kEnterDirectory:
            return "cannot enter " + run.workingDirectory + ": " + reason;
        case ChildFailure::kOpenOutput:
            return "cannot open " + run.outputFile + ": " + reason;
        case ChildFailure::kExecute:
            break;
    }
    return "cannot be started: " + reason;
}

// The child's exit status once it has ended; 128 + the signal's number when
// a signal ended it.
Result<int> WaitForExit(pid_t child, const std::string& what) {
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    if (waited < 0)
        return Diagnostic{what, 0, std::string("cannot be waited for: ") + std::strerror(errno)};
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the program, detached or waiting for it. The pipe closes on a
// successful exec and carries a ChildFailure otherwise.
Result<int> Spawn(const ProgramRun& run, bool detached) {
    if (run.argv.empty())
        return Diagnostic{run.what, 0, "nothing to run"};
    std::vector<char*> args;
    for (const std::string& word : run.argv)
        args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> inherited;
    for (char** entry = environ; *entry; ++entry)
        inherited.emplace_back(*entry);
    const std::vector<std::string> environment = EnvironmentWith(inherited, run.environment, false);
    std::vector<char*> variables;
    for (const std::string& entry : environment)
        variables.push_back(const_cast<char*>(entry.c_str()));
    variables.push_back(nullptr);

    int errorPipe[2];
    if (pipe(errorPipe) != 0)
        return Diagnostic{run.what, 0, std::strerror(errno)};
    fcntl(errorPipe[0], F_SETFD, FD_CLOEXEC);
    fcntl(errorPipe[1], F_SETFD, FD_CLOEXEC);
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) {
        int error = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        return Diagnostic{run.what, 0, std::strerror(error)};
    }
    if (child == 0) {
        close(errorPipe[0]);
        if (detached)
            DetachFromUs(errorPipe[1]);
        BecomeProgram(run, args.data(), variables.data(), detached, errorPipe[1]);
    }
    close(errorPipe[1]);
    // The go-between of a detached start ends at once.
    Result<int> goBetween = detached ? WaitForExit(child, run.what) : Result<int>(0);
    ChildFailure failure{};
    ssize_t got;
    while ((got = read(errorPipe[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        if (!detached)
            (void)WaitForExit(child, run.what);  // reaps it; the failure says more
        return Diagnostic{run.what, 0, FailureText(run, failure)};
    }
    if (!detached)
        return WaitForExit(child, run.what);
    if (!goBetween)
        return goBetween;
    if (*goBetween != 0)
        return Diagnostic{run.what, 0,
                          "cannot be started: the starting process ended with status " +
                              std::to_string(*goBetween)};
    return 0;
}

std::string BatchRunner() {
    return InProgramDirectory("cuffware-batch");
}

bool HasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

// The build's own window beside the program, when there is a display.
std::string BatchWindow() {
    std::string window = InProgramDirectory("cuffware-batch-window");
    return HasDisplay() && IsRunnable(window) ? window : std::string();
}

// Else a terminal emulator to show the build in.
std::string DisplayTerminal() {
    if (!HasDisplay())
        return {};
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        if (std::string terminal = FindInPath(name); !terminal.empty())
            return terminal;
    }
    return {};
}

Result<ProgramRun> BatchRun(const std::string& batchPathText, const ChildVariables& variables) {
    std::string runner = BatchRunner();
    if (!IsRunnable(runner))
        return Diagnostic{batchPathText, 0,
                          "cannot be run: the batch runner " + runner + " is missing"};
    std::string batch = HostPath(batchPathText);
    return ProgramRun{{runner, batch}, DirectoryOrCurrent(batch), "", batchPathText, variables};
}

Result<ProgramRun> CommandRun(const std::string& commandLine, const ChildVariables& variables) {
    std::vector<std::string> words = SplitBuilderCommandLine(commandLine);
    if (words.empty())
        return Diagnostic{"", 0, "empty command line"};
    std::vector<std::string> arguments(words.begin() + 1, words.end());
    Result<std::vector<std::string>> argv = ProgramArgv(words[0], HostPath(words[0]), arguments);
    if (!argv)
        return argv.error();
    return ProgramRun{*argv, "", "", words[0], variables};
}

class Host : public ProcessStarter {
  public:
    Status StartBatch(const std::string& batchPathText) override {
        Result<ProgramRun> run = BatchRun(batchPathText, childVariables());
        if (!run)
            return run.error();
        if (std::string window = BatchWindow(); !window.empty()) {
            run->argv = {window, run->argv.back()};
        } else if (std::string terminal = DisplayTerminal(); !terminal.empty()) {
            run->argv.insert(run->argv.begin() + 1, "--wait-on-failure");
            run->argv.insert(run->argv.begin(), {terminal, "-e"});
        } else {
            run->outputFile = run->workingDirectory + "/build.log";
        }
        return StartProgram(*run);
    }
    Result<int> RunBatch(const std::string& batchPathText) override {
        Result<ProgramRun> run = BatchRun(batchPathText, childVariables());
        if (!run)
            return run.error();
        return RunProgram(*run);
    }
    Status StartCommandLine(const std::string& commandLine) override {
        Result<ProgramRun> run = CommandRun(commandLine, childVariables());
        return run ? StartProgram(*run) : Status(run.error());
    }
    Result<int> RunCommandLine(const std::string& commandLine) override {
        Result<ProgramRun> run = CommandRun(commandLine, childVariables());
        return run ? RunProgram(*run) : Result<int>(run.error());
    }
    // In the build's window when there is a display; else as any program,
    // its output on ours.
    Status StartConsoleCommandLine(const std::string& commandLine,
                                   const std::string& title) override {
        Result<ProgramRun> run = CommandRun(commandLine, childVariables());
        if (!run)
            return run.error();
        if (std::string window = BatchWindow(); !window.empty()) {
            std::vector<std::string> argv = {window, "--run", title};
            argv.insert(argv.end(), run->argv.begin(), run->argv.end());
            run->argv = std::move(argv);
        }
        return StartProgram(*run);
    }
};

}  // namespace

bool IsRunnable(const std::string& hostPath) {
    return access(hostPath.c_str(), X_OK) == 0;
}

Result<std::vector<std::string>> ProgramArgv(const std::string& programText,
                                             const std::string& programHostPath,
                                             const std::vector<std::string>& arguments) {
    std::vector<std::string> argv;
    if (IsWindowsExecutable(programHostPath)) {
        std::string wine = FindInPath("wine");
        if (wine.empty())
            return Diagnostic{programText, 0,
                              "is a Windows program; it needs wine to run here, and wine is "
                              "not on PATH"};
        argv.push_back(wine);
    }
    argv.push_back(programHostPath);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

Result<int> RunProgram(const ProgramRun& run) {
    return Spawn(run, false);
}

Status StartProgram(const ProgramRun& run) {
    return StatusOf(Spawn(run, true));
}

ProcessStarter& HostProcesses() {
    static Host host;
    return host;
}

}  // namespace cuffware
