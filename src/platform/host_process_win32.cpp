// Starting processes on Windows: CreateProcess, and the command interpreter
// for a batch file.

#include <windows.h>

#include <cstring>

#include "platform/host_process.h"
#include "platform/path_text.h"

namespace cuffware {

const char kPathListSeparator = ';';

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

// The exit code of a started process, once it has ended.
Result<int> WaitForExit(HANDLE process, const std::string& what) {
    DWORD exitCode = 0;
    if (WaitForSingleObject(process, INFINITE) == WAIT_FAILED ||
        !GetExitCodeProcess(process, &exitCode))
        return Diagnostic{what, 0, "cannot be waited for: " + SystemReason(GetLastError())};
    return static_cast<int>(exitCode);
}

// Our environment with variables put in, as CreateProcessA takes it: each
// "NAME=VALUE" ended by a NUL, and one more NUL at the end. Empty when there
// is nothing to put in: the program then inherits ours.
std::string EnvironmentBlock(const ChildVariables& variables) {
    if (variables.empty())
        return {};
    std::vector<std::string> inherited;
    if (char* strings = GetEnvironmentStringsA()) {
        for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1)
            inherited.emplace_back(entry);
        FreeEnvironmentStringsA(strings);
    }
    std::string block;
    for (const std::string& entry : EnvironmentWith(inherited, variables, true))
        block += entry + '\0';
    return block + '\0';
}

// A job whose processes the system ends when its last handle closes: a
// process waited for is put in one, so that when this process ends, however
// it ends, what it was waiting for (a build batch holding the build
// directory) ends with it. Null when the system refuses a job.
HANDLE JobEndingWithThisProcess() {
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job &&
        !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        job = nullptr;
    }
    return job;
}

// CreateProcessA with the command line as it stands, in a normal window.
// With inheritHandles the program inherits our inheritable handles: a build
// batch, the build directory's lock (RunLock::ShareWithChildren).
Result<int> CreateWindowsProcess(std::string commandLine, const std::string& directory, DWORD flags,
                                 bool wait, const std::string& what,
                                 const ChildVariables& variables, bool inheritHandles = false) {
    std::string environment = EnvironmentBlock(variables);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    HANDLE job = wait ? JobEndingWithThisProcess() : nullptr;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr,
                        inheritHandles ? TRUE : FALSE, flags | (job ? CREATE_SUSPENDED : 0),
                        environment.empty() ? nullptr : environment.data(),
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        const DWORD error = GetLastError();
        if (job)
            CloseHandle(job);
        return Diagnostic{what, 0, "cannot be started: " + SystemReason(error)};
    }
    if (job) {
        (void)AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
    }
    Result<int> exitCode = wait ? WaitForExit(process.hProcess, what) : Result<int>(0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (job)
        CloseHandle(job);
    return exitCode;
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

// cmd.exe /c "build.bat" in the batch's own directory, holding the build
// directory's lock with us when that is shared.
Result<int> RunBatchFile(const std::string& batchPathText, DWORD flags, bool wait,
                         const ChildVariables& variables) {
    std::string name(FileNameOf(batchPathText));
    return CreateWindowsProcess("cmd.exe /c \"" + name + "\"", DirectoryOrCurrent(batchPathText),
                                flags, wait, batchPathText, variables, true);
}

std::string ProgramOf(const std::string& commandLine) {
    std::vector<std::string> words = SplitBuilderCommandLine(commandLine);
    return words.empty() ? std::string() : words.front();
}

class Host : public ProcessStarter {
  public:
    Status StartBatch(const std::string& batchPathText) override {
        return StatusOf(RunBatchFile(batchPathText, CREATE_NEW_CONSOLE, false, childVariables()));
    }
    Result<int> RunBatch(const std::string& batchPathText) override {
        return RunBatchFile(batchPathText, 0, true, childVariables());
    }
    Status StartCommandLine(const std::string& commandLine) override {
        return StatusOf(CreateWindowsProcess(commandLine, "", CREATE_NEW_CONSOLE, false,
                                             ProgramOf(commandLine), childVariables()));
    }
    Result<int> RunCommandLine(const std::string& commandLine) override {
        return CreateWindowsProcess(commandLine, "", 0, true, ProgramOf(commandLine),
                                    childVariables());
    }
};

}  // namespace

bool IsRunnable(const std::string&) {
    return true;
}

Result<std::vector<std::string>> ProgramArgv(const std::string&, const std::string& programHostPath,
                                             const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{programHostPath};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

Result<int> RunProgram(const ProgramRun& run) {
    return CreateWindowsProcess(QuotedCommandLine(run.argv), run.workingDirectory, 0, true,
                                run.what, run.environment);
}

Status StartProgram(const ProgramRun& run) {
    return StatusOf(CreateWindowsProcess(QuotedCommandLine(run.argv), run.workingDirectory,
                                         CREATE_NEW_CONSOLE, false, run.what, run.environment));
}

ProcessStarter& HostProcesses() {
    static Host host;
    return host;
}

}  // namespace cuffware
