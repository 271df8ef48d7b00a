#include "app/command_line/doctor_command.h"

#include "platform/host_process.h"
#include "platform/path_probe.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

// The processor description the generated option files name; the tools find
// it in their own ../etc.
constexpr const char* kProcessorDescription = "s1c88349.dsc";

// A path text, with the host path it maps to when that differs.
std::string Shown(const std::string& pathText, const PathProbe& probe) {
    return probe.hostPath == pathText ? pathText : pathText + " (" + probe.hostPath + ")";
}

DoctorLine Expect(const std::string& what, const std::string& pathText, PathProbe::Kind kind) {
    PathProbe probe = ProbePath(pathText);
    if (probe.kind == kind)
        return {true, what + ": " + Shown(pathText, probe)};
    const char* wanted = kind == PathProbe::kDirectory ? "no such directory" : "no such file";
    return {false, what + ": " + wanted + " " + Shown(pathText, probe)};
}

// A program as the batch finds it: as named, then with .exe, .com or .bat.
struct ProgramCheck {
    DoctorLine line;
    std::string hostPath;  // empty when not found
};

ProgramCheck FindProgram(const std::string& what, const std::string& pathText) {
    for (const char* extension : {"", ".exe", ".com", ".bat"}) {
        PathProbe probe = ProbePath(pathText + extension);
        if (probe.kind == PathProbe::kFile)
            return {{true, what + ": " + Shown(pathText + extension, probe) +
                               (probe.windowsProgram ? ", a Windows program" : "")},
                    probe.hostPath};
    }
    PathProbe probe = ProbePath(pathText);
    return {{false, what + ": not found, not even with .exe, .com or .bat added: " +
                        Shown(pathText, probe)},
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
    return DoctorLine{!missing, "wine: " + (missing ? std::string("not on PATH") : wine) +
                                    "; it runs the Windows programs " + throughWine};
}

}  // namespace

std::vector<DoctorLine> CheckSetup(const ToolSettings& settings, const std::string& settingsPath) {
    std::string sdk = Trimmed(settings.SdkPath);
    std::string tools = Trimmed(settings.AssemblerPath);
    PathProbe ini = ProbePath(settingsPath);
    std::vector<DoctorLine> lines = {
        {ini.kind == PathProbe::kFile,
         "settings: " + settingsPath +
             (ini.kind == PathProbe::kFile ? "" : " cannot be read; the defaults are used") +
             " (SDK " + sdk + ", toolchain " + tools + ", " +
             std::to_string(settings.NumberOfStates) + " states, firmware " +
             Trimmed(settings.FirmwareVersion) + ")"},
        Expect("SDK directory", sdk, PathProbe::kDirectory),
        Expect("toolchain directory", tools, PathProbe::kDirectory),
        Expect("SDK include directory", sdk + "\\include", PathProbe::kDirectory),
        Expect("SDK main header", sdk + "\\include\\Q740INC.H", PathProbe::kFile),
        Expect("SDK bin directory", sdk + "\\bin", PathProbe::kDirectory),
    };
    const std::pair<const char*, std::string> programs[] = {
        {"assembler as88", tools + "\\bin\\as88.exe"},
        {"linker lk88", tools + "\\bin\\lk88.exe"},
        {"locator lc88", tools + "\\bin\\lc88.exe"},
        {"maplist", sdk + "\\bin\\maplist"},
        {"labelset", sdk + "\\bin\\labelset"},
        {"downloader", sdk + "\\bin\\CuffwareDL.exe"},
    };
    std::vector<std::pair<std::string, std::string>> found;
    for (const auto& [what, pathText] : programs) {
        ProgramCheck program = FindProgram(what, pathText);
        lines.push_back(program.line);
        if (!program.hostPath.empty())
            found.emplace_back(what, program.hostPath);
    }
    lines.push_back(Expect("processor description", tools + "\\etc\\" + kProcessorDescription,
                           PathProbe::kFile));
    if (std::optional<DoctorLine> wine = WineLine(found))
        lines.push_back(*wine);
    return lines;
}

int RunDoctor(HeadlessContext& context) {
    bool allPassed = true;
    for (const DoctorLine& line : CheckSetup(context.bench.settings, context.bench.settingsPath)) {
        context.out << (line.passed ? "ok    " : "FAIL  ") << line.text << "\n";
        allPassed = allPassed && line.passed;
    }
    return allPassed ? kExitSuccess : kExitFailure;
}

}  // namespace cuffware
