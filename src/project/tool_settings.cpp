#include "project/tool_settings.h"

#include "project/text_file.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

constexpr std::string_view kSdkKey = "BIN=";
constexpr std::string_view kAssemblerKey = "ASSEMBLER=";
constexpr std::string_view kStatesKey = "STATES=";
constexpr std::string_view kVersionKey = "VERSION=";

std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

}  // namespace

ToolSettings DefaultToolSettings() {
    return ToolSettings{"c:\\q740", "c:\\c88", kDefaultNumberOfStates, "740018"};
}

std::string ToolSettingsFileText(const ToolSettings& settings) {
    TextFile file;
    file.Line(std::string(kSdkKey) + settings.SdkPath);
    file.Line(std::string(kAssemblerKey) + settings.AssemblerPath);
    file.Line(std::string(kStatesKey) + std::to_string(settings.NumberOfStates));
    file.Line(std::string(kVersionKey) + settings.FirmwareVersion);
    return file.Text();
}

std::string NumberOfStatesProblem(long long numberOfStates) {
    if (numberOfStates >= 0 && numberOfStates <= kMaxNumberOfStates)
        return {};
    return "Number of States " + std::to_string(numberOfStates) + " is outside 0 to " +
           std::to_string(kMaxNumberOfStates);
}

namespace {

// The settings of the file's text, with the number of states unchecked.
struct RawSettings {
    ToolSettings settings;
    long long numberOfStates = 0;
    bool anyKey = false;
};

RawSettings ParseRaw(std::string_view fileText) {
    RawSettings raw;
    for (std::string_view line : SplitLines(fileText)) {
        std::string_view item = SkipLeadingBlanks(line);
        raw.anyKey = raw.anyKey || StartsWithIgnoreCase(item, kSdkKey) ||
                     StartsWithIgnoreCase(item, kAssemblerKey) ||
                     StartsWithIgnoreCase(item, kStatesKey) ||
                     StartsWithIgnoreCase(item, kVersionKey);
        if (StartsWithIgnoreCase(item, kSdkKey)) {
            raw.settings.SdkPath = std::string(item.substr(kSdkKey.size()));
        } else if (StartsWithIgnoreCase(item, kAssemblerKey)) {
            raw.settings.AssemblerPath = std::string(item.substr(kAssemblerKey.size()));
        } else if (StartsWithIgnoreCase(item, kStatesKey)) {
            raw.numberOfStates = WholeNumber(item.substr(kStatesKey.size()));
        } else if (StartsWithIgnoreCase(item, kVersionKey)) {
            raw.settings.FirmwareVersion =
                ShortestDecimal(NumericValue(item.substr(kVersionKey.size())));
        }
    }
    raw.settings.NumberOfStates = Wrap16(raw.numberOfStates);
    return raw;
}

}  // namespace

ToolSettings ParseToolSettings(std::string_view fileText) {
    return ParseRaw(fileText).settings;
}

Result<LoadedToolSettings> LoadToolSettings(FileSystem& fs, const std::string& pathText) {
    Result<std::string> text = fs.ReadFile(pathText, kMaxToolSettingsBytes);
    if (!text.ok()) {
        // Only a missing file is created: one that is there but refused (too
        // large, a device, a FIFO, unreadable, a link to nothing or in a
        // loop) is reported with the reason and left as it is.
        Result<bool> present = fs.Present(pathText);
        if (!present)
            return present.error();
        if (*present)
            return text.error();
        Status created = fs.WriteFile(pathText, ToolSettingsFileText(DefaultToolSettings()));
        if (!created.ok())
            return created.error();
        text = fs.ReadFile(pathText, kMaxToolSettingsBytes);
        if (!text.ok())
            return text.error();
    }
    RawSettings raw = ParseRaw(*text);
    if (!raw.anyKey)
        return LoadedToolSettings{
            DefaultToolSettings(),
            {Diagnostic{pathText, 0,
                        "holds none of the keys BIN=, ASSEMBLER=, STATES=, VERSION=; the "
                        "defaults are used"}
                 .Text()}};
    LoadedToolSettings loaded{raw.settings, {}};
    if (std::string problem = NumberOfStatesProblem(raw.numberOfStates); !problem.empty()) {
        loaded.settings.NumberOfStates = kDefaultNumberOfStates;
        loaded.warnings.push_back(Diagnostic{
            pathText, 0, problem + "; " + std::to_string(kDefaultNumberOfStates) + " is used"}
                                      .Text());
    }
    return loaded;
}

ToolSettings ToolSettingsFromFields(const ToolSettingsFields& fields) {
    return ToolSettings{Trimmed(fields.sdkPath), Trimmed(fields.assemblerPath),
                        Wrap16(WholeNumber(Trimmed(fields.numberOfStates))),
                        Trimmed(fields.firmwareVersion)};
}

Status WriteToolSettingsFile(FileSystem& fs, const std::string& pathText,
                             const ToolSettingsFields& fields) {
    double states = NumericValue(Trimmed(fields.numberOfStates));
    if (std::string problem = NumberOfStatesProblem(RoundHalfEven(states)); !problem.empty())
        return Diagnostic{pathText, 0, problem + "; nothing was written"};
    TextFile file;
    file.Line(std::string(kSdkKey) + Trimmed(fields.sdkPath));
    file.Line(std::string(kAssemblerKey) + Trimmed(fields.assemblerPath));
    file.Line(std::string(kStatesKey) + ShortestDecimal(states));
    file.Line(std::string(kVersionKey) + Trimmed(fields.firmwareVersion));
    return fs.WriteFile(pathText, file.Text());
}

}  // namespace cuffware
