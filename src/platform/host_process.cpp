#include "platform/host_process.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/host_path.h"
#include "platform/program_directory.h"

namespace cuffware {

namespace fs = std::filesystem;

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

std::string FindInPath(std::string_view name) {
#ifdef _WIN32
    constexpr char kListSeparator = ';';
#else
    constexpr char kListSeparator = ':';
#endif
    const char* path = std::getenv("PATH");
    std::string_view list = path ? path : "";
    while (true) {
        size_t end = list.find(kListSeparator);
        std::string directory(list.substr(0, end));
        std::string candidate = (directory.empty() ? std::string(".") : directory) + "/";
        candidate += name;
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
#ifdef _WIN32
            return candidate;
#else
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
#endif
        }
        if (end == std::string_view::npos)
            return {};
        list.remove_prefix(end + 1);
    }
}

bool IsWindowsExecutable(const std::string& hostPath) {
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file)
        return false;
    char mark[2] = {};
    bool windows = std::fread(mark, 1, 2, file) == 2 && mark[0] == 'M' && mark[1] == 'Z';
    std::fclose(file);
    return windows;
}

Result<std::vector<std::string>> ProgramArgv(const std::string& programText,
                                             const std::string& programHostPath,
                                             const std::vector<std::string>& arguments) {
    std::vector<std::string> argv;
#ifndef _WIN32
    if (IsWindowsExecutable(programHostPath)) {
        std::string wine = FindInPath("wine");
        if (wine.empty())
            return Diagnostic{programText, 0,
                              "is a Windows program; it needs wine to run here, and wine is "
                              "not on PATH"};
        argv.push_back(wine);
    }
#else
    (void)programText;
#endif
    argv.push_back(programHostPath);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

namespace {

// The directory part of a path ("." when it has none); a root keeps its
// separator ("/", "c:\\").
std::string DirectoryOf(const std::string& path) {
    size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos)
        return ".";
    bool root = separator == 0 || path[separator - 1] == ':';
    return path.substr(0, root ? separator + 1 : separator);
}

Status AsStatus(const Result<int>& result) {
    return result.ok() ? Status::Ok() : Status(result.error());
}

}  // namespace

#ifdef _WIN32
namespace {

std::string SystemReason(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string reason = length ? std::string(text, length) : "error " + std::to_string(error);
    if (text)
        LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason;
}

// CreateProcessA with the command line as it stands, in a normal window.
Result<int> CreateWindowsProcess(std::string commandLine, const std::string& directory, DWORD flags,
                                 bool wait, const std::string& what) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return Diagnostic{what, 0, "cannot be started: " + SystemReason(GetLastError())};
    DWORD exitCode = 0;
    if (wait) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

std::string QuotedCommandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& word : argv) {
        if (!line.empty())
            line += ' ';
        line += word.find(' ') == std::string::npos ? word : "\"" + word + "\"";
    }
    return line;
}

// cmd.exe /c "build.bat" in the batch's own directory.
Result<int> RunBatchFile(const std::string& batchPathText, DWORD flags, bool wait) {
    size_t separator = batchPathText.find_last_of("\\/");
    std::string name =
        separator == std::string::npos ? batchPathText : batchPathText.substr(separator + 1);
    return CreateWindowsProcess("cmd.exe /c \"" + name + "\"", DirectoryOf(batchPathText), flags,
                                wait, batchPathText);
}

class Host : public ProcessStarter {
  public:
    Status StartBatch(const std::string& batchPathText) override {
        return AsStatus(RunBatchFile(batchPathText, CREATE_NEW_CONSOLE, false));
    }
    Result<int> RunBatch(const std::string& batchPathText) override {
        return RunBatchFile(batchPathText, 0, true);
    }
    Status StartCommandLine(const std::string& commandLine) override {
        return AsStatus(CreateWindowsProcess(commandLine, "", CREATE_NEW_CONSOLE, false,
                                             ProgramOf(commandLine)));
    }
    Result<int> RunCommandLine(const std::string& commandLine) override {
        return CreateWindowsProcess(commandLine, "", 0, true, ProgramOf(commandLine));
    }

  private:
    static std::string ProgramOf(const std::string& commandLine) {
        std::vector<std::string> words = SplitCommandLine(commandLine);
        return words.empty() ? std::string() : words.front();
    }
};

}  // namespace

Result<int> RunProgram(const ProgramRun& run) {
    return CreateWindowsProcess(QuotedCommandLine(run.argv), run.workingDirectory, 0, true,
                                run.what);
}

Status StartProgram(const ProgramRun& run) {
    return AsStatus(CreateWindowsProcess(QuotedCommandLine(run.argv), run.workingDirectory,
                                         CREATE_NEW_CONSOLE, false, run.what));
}

#else
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
[[noreturn]] void BecomeProgram(const ProgramRun& run, char* const* args, bool detached, int pipe) {
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
    execv(args[0], args);
    Fail(pipe, ChildFailure::kExecute);
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

int ExitStatus(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the program; detached, it is a grandchild in a session of its own, so
// it outlives us and leaves no zombie. The pipe closes on a successful exec
// and carries a ChildFailure otherwise.
Result<int> Spawn(const ProgramRun& run, bool detached) {
    if (run.argv.empty())
        return Diagnostic{run.what, 0, "nothing to run"};
    std::vector<char*> args;
    for (const std::string& word : run.argv)
        args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);

    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        return Diagnostic{run.what, 0, std::strerror(errno)};
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
        if (detached) {
            if (fork() != 0)
                _exit(0);
            setsid();
        }
        BecomeProgram(run, args.data(), detached, errorPipe[1]);
    }
    close(errorPipe[1]);
    if (detached)
        ExitStatus(child);  // the go-between ends at once
    ChildFailure failure{};
    ssize_t got;
    while ((got = read(errorPipe[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        if (!detached)
            ExitStatus(child);
        return Diagnostic{run.what, 0, FailureText(run, failure)};
    }
    return detached ? 0 : ExitStatus(child);
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
    return HasDisplay() && access(window.c_str(), X_OK) == 0 ? window : std::string();
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

Result<ProgramRun> BatchRun(const std::string& batchPathText) {
    std::string runner = BatchRunner();
    if (access(runner.c_str(), X_OK) != 0)
        return Diagnostic{batchPathText, 0,
                          "cannot be run: the batch runner " + runner + " is missing"};
    std::string batch = HostPath(batchPathText);
    return ProgramRun{{runner, batch}, DirectoryOf(batch), "", batchPathText};
}

Result<ProgramRun> CommandRun(const std::string& commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.empty())
        return Diagnostic{"", 0, "empty command line"};
    std::vector<std::string> arguments(words.begin() + 1, words.end());
    Result<std::vector<std::string>> argv = ProgramArgv(words[0], HostPath(words[0]), arguments);
    if (!argv)
        return argv.error();
    return ProgramRun{*argv, "", "", words[0]};
}

class Host : public ProcessStarter {
  public:
    Status StartBatch(const std::string& batchPathText) override {
        Result<ProgramRun> run = BatchRun(batchPathText);
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
        Result<ProgramRun> run = BatchRun(batchPathText);
        if (!run)
            return run.error();
        return RunProgram(*run);
    }
    Status StartCommandLine(const std::string& commandLine) override {
        Result<ProgramRun> run = CommandRun(commandLine);
        return run ? StartProgram(*run) : Status(run.error());
    }
    Result<int> RunCommandLine(const std::string& commandLine) override {
        Result<ProgramRun> run = CommandRun(commandLine);
        return run ? RunProgram(*run) : Result<int>(run.error());
    }
};

}  // namespace

Result<int> RunProgram(const ProgramRun& run) {
    return Spawn(run, false);
}

Status StartProgram(const ProgramRun& run) {
    return AsStatus(Spawn(run, true));
}
#endif

ProcessStarter& HostProcesses() {
    static Host host;
    return host;
}

}  // namespace cuffware
