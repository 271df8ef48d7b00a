#include "app/command_line/doctor_command.h"

#include <tuple>

#include "app/command_line/next_command.h"
#include "platform/host_process.h"
#include "platform/path_probe.h"
#include "platform/path_text.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

// A path text, with the host path it maps to when that differs.
std::string Shown(const std::string& pathText, const PathProbe& probe) {
    return probe.hostPath == pathText ? pathText : pathText + " (" + probe.hostPath + ")";
}

DoctorLine Expect(const std::string& what, const std::string& pathText, PathProbe::Kind kind,
                  const std::string& remedy) {
    PathProbe probe = ProbePath(pathText);
    if (probe.kind == kind)
        return {true, what + ": " + Shown(pathText, probe), {}};
    const char* wanted = kind == PathProbe::kDirectory ? "no such directory" : "no such file";
    return {false, what + ": " + wanted + " " + Shown(pathText, probe), remedy};
}

// What to do when a directory of the settings is wrong: where to set it.
std::string SetDirectory(const char* what, ToolSetting setting, const std::string& settingsPath) {
    return std::string("set the ") + what + " directory to where it is installed: Tools > " +
           "Options in the window, or " + std::string(ToolSettingRowOf(setting).key) + "= in " +
           settingsPath;
}

// A program as the batch finds it: as named, then with .exe, .com or .bat.
struct ProgramCheck {
    DoctorLine line;
    std::string hostPath;  // empty when not found
};

ProgramCheck FindProgram(const std::string& what, const std::string& pathText,
                         const std::string& remedy) {
    for (const char* extension : {"", ".exe", ".com", ".bat"}) {
        PathProbe probe = ProbePath(pathText + extension);
        if (probe.kind == PathProbe::kFile)
            return {{true,
                     what + ": " + Shown(pathText + extension, probe) +
                         (probe.windowsProgram ? ", a Windows program" : ""),
                     {}},
                    probe.hostPath};
    }
    PathProbe probe = ProbePath(pathText);
    return {
        {false,
         what + ": not found, not even with .exe, .com or .bat added: " + Shown(pathText, probe),
         remedy},
        {}};
}

// Wine, when this host starts some of the programs through it: the line
// that says whether it is there.
std::optional<DoctorLine> WineLine(const std::vector<std::pair<std::string, std::string>>& found) {
    std::string throughWine, wine;
    bool missing = false;
    for (const auto& [what, hostPath] : found) {
        Result<std::vector<std::string>> argv = ProgramArgv(what, hostPath, {});
        if (argv && argv->front() == hostPath)
            continue;  // started as it is
        throughWine += (throughWine.empty() ? "" : ", ") + what;
        if (argv)
            wine = argv->front();
        missing = missing || !argv;
    }
    if (throughWine.empty())
        return std::nullopt;
    return DoctorLine{!missing,
                      "wine: " + (missing ? std::string("not on PATH") : wine) +
                          "; it runs the Windows programs " + throughWine,
                      missing ? "install wine (on Debian: apt install wine)" : ""};
}

}  // namespace

std::vector<DoctorLine> CheckSetup(const ToolSettings& settings, const std::string& settingsPath) {
    std::string sdk = Trimmed(settings.SdkPath);
    std::string tools = Trimmed(settings.AssemblerPath);
    PathProbe ini = ProbePath(settingsPath);
    bool readable = ini.kind == PathProbe::kFile;
    std::string setSdk = SetDirectory("SDK", ToolSetting::SdkPath, settingsPath);
    std::string setTools = SetDirectory("toolchain", ToolSetting::AssemblerPath, settingsPath);
    // The indices the other checks name as what they need.
    constexpr int kSdk = 1, kToolchain = 2, kInclude = 3, kHeader = 4, kBin = 5;
    std::vector<DoctorLine> lines = {
        {readable,
         "settings: " + settingsPath + (readable ? "" : " cannot be read; the defaults are used") +
             " (SDK " + sdk + ", toolchain " + tools + ", " +
             std::to_string(settings.NumberOfStates) + " states, firmware " +
             Trimmed(settings.FirmwareVersion) + ")",
         readable ? "" : "save the settings once with Tools > Options in the window"},
        Expect("SDK directory", sdk, PathProbe::kDirectory, setSdk),
        Expect("toolchain directory", tools, PathProbe::kDirectory, setTools),
        Expect("SDK include directory", SdkIncludeDirectory(sdk), PathProbe::kDirectory, setSdk),
        Expect("SDK main header", JoinPath(SdkIncludeDirectory(sdk), kSdkMainHeader),
               PathProbe::kFile, setSdk),
        Expect("SDK bin directory", ProgramFolder(sdk), PathProbe::kDirectory, setSdk),
    };
    lines[kInclude].needs = lines[kBin].needs = kSdk;
    lines[kHeader].needs = kInclude;
    const std::tuple<const char*, std::string, const std::string&, int> programs[] = {
        {"assembler as88", ProgramPath(tools, kAssemblerProgram), setTools, kToolchain},
        {"linker lk88", ProgramPath(tools, kLinkerProgram), setTools, kToolchain},
        {"locator lc88", ProgramPath(tools, kLocatorProgram), setTools, kToolchain},
        {"maplist", ProgramPath(sdk, kMaplistProgram), setSdk, kBin},
        {"labelset", ProgramPath(sdk, kLabelsetProgram), setSdk, kBin},
        {"downloader", ProgramPath(sdk, kDownloaderProgram), setSdk, kBin},
    };
    std::vector<std::pair<std::string, std::string>> found;
    for (const auto& [what, pathText, remedy, needs] : programs) {
        ProgramCheck program = FindProgram(what, pathText, remedy);
        lines.push_back(program.line);
        lines.back().needs = needs;
        if (!program.hostPath.empty())
            found.emplace_back(what, program.hostPath);
    }
    lines.push_back(Expect("processor description", ProcessorDescriptionPath(tools),
                           PathProbe::kFile, setTools));
    lines.back().needs = kToolchain;
    if (std::optional<DoctorLine> wine = WineLine(found))
        lines.push_back(*wine);
    return lines;
}

std::string DoctorVerdict(const std::vector<DoctorLine>& lines, const std::string& demoCommand) {
    size_t failed = 0;
    for (const DoctorLine& line : lines)
        failed += line.passed ? 0 : 1;
    if (failed == 0)
        return "The set-up can build: every check passed.";
    return "The set-up cannot build: " + std::to_string(failed) + " of " +
           std::to_string(lines.size()) +
           " checks failed. To see a build work first, try the bundled demo: " + demoCommand;
}

namespace {

// The failed check a failed one fails because of: the first in the chain of
// what it needs that failed while what that needs passed; itself when what
// it needs passed.
size_t Cause(const std::vector<DoctorLine>& lines, size_t index) {
    while (lines[index].needs >= 0 && !lines[static_cast<size_t>(lines[index].needs)].passed)
        index = static_cast<size_t>(lines[index].needs);
    return index;
}

std::string What(const DoctorLine& line) {
    return line.text.substr(0, line.text.find(": "));
}

}  // namespace

std::string DoctorChecksText(const std::vector<DoctorLine>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        const DoctorLine& line = lines[i];
        if (line.passed) {
            text += "ok    " + line.text + "\n";
            continue;
        }
        if (Cause(lines, i) != i)
            continue;  // said with its cause
        text += "FAIL  " + line.text + "\n      what to do: " + line.remedy + "\n";
        std::vector<std::string> following;
        for (size_t j = i + 1; j < lines.size(); ++j)
            if (!lines[j].passed && Cause(lines, j) == i)
                following.push_back(What(lines[j]));
        if (following.empty())
            continue;
        text += following.size() == 1
                    ? std::string("      and so fails the check that needs it: ")
                    : "      and so fail the " + std::to_string(following.size()) +
                          " checks that need it: ";
        for (size_t k = 0; k < following.size(); ++k)
            text += (k ? ", " : "") + following[k];
        text += "\n";
    }
    return text;
}

int RunDoctor(HeadlessContext& context) {
    std::vector<DoctorLine> lines = CheckSetup(context.bench.settings, context.bench.settingsPath);
    context.out << DoctorChecksText(lines);
    std::string verdict =
        DoctorVerdict(lines, CommandLine({ProgramToPaste("cuffware"), "demo"}, HostShell()));
    context.out << verdict << "\n";
    return verdict.starts_with("The set-up can build") ? kExitSuccess : kExitFailure;
}

}  // namespace cuffware
