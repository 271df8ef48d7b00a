#include "project/tool_settings.h"

#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

using enum ToolSettingKind;

constexpr ToolSettingRow kRows[] = {
    {ToolSetting::SdkPath, "BIN", Text, &ToolSettings::SdkPath, nullptr, nullptr, "c:\\q740", 0,
     "SDK Path", 0},
    {ToolSetting::AssemblerPath, "ASSEMBLER", Text, &ToolSettings::AssemblerPath, nullptr, nullptr,
     "c:\\c88", 0, "Assembler Path", 0},
    {ToolSetting::NumberOfStates, "STATES", Count, nullptr, &ToolSettings::NumberOfStates, nullptr,
     "15", kMaxNumberOfStates, "Number of States", 2},
    {ToolSetting::FirmwareVersion, "VERSION", Decimal, &ToolSettings::FirmwareVersion, nullptr,
     nullptr, "740018", 0, "Firmware Version", 6},
};
static_assert(std::size(kRows) == kToolSettingCount);

std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// "KEY=", as the file's lines start.
std::string KeyPrefix(const ToolSettingRow& row) {
    return std::string(row.key) + "=";
}

std::string FileLine(const ToolSettingRow& row, std::string_view value) {
    return KeyPrefix(row) + std::string(value);
}

// A count outside 0 to the row's maximum: the message, or "" when it is usable.
std::string CountProblem(const ToolSettingRow& row, long long value) {
    if (value >= 0 && value <= row.maximum)
        return {};
    return std::string(row.caption) + " " + std::to_string(value) + " is outside 0 to " +
           std::to_string(row.maximum);
}

// The settings of the file's text, with the counts unchecked.
struct RawSettings {
    ToolSettings settings;
    std::array<long long, kToolSettingCount> counts{};  // by ToolSetting
    bool anyKey = false;
};

// The value of a row's member as the file writes it, before any trimming.
std::string ValueText(const ToolSettingRow& row, const ToolSettings& settings) {
    switch (row.kind) {
        case Count:
            return std::to_string(settings.*row.count);
        case Flag:
            return std::string(FlagText(settings.*row.flag));
        case Text:
        case Decimal:
            break;
    }
    return settings.*row.text;
}

// A field's text as the file writes it.
std::string FieldValueText(const ToolSettingRow& row, std::string_view field) {
    std::string text = Trimmed(field);
    switch (row.kind) {
        case Count:
            return ShortestDecimal(NumericValue(text));
        case Flag:
            return std::string(FlagText(FlagValue(text)));
        case Text:
        case Decimal:
            break;
    }
    return text;
}

void ReadValue(const ToolSettingRow& row, std::string_view value, RawSettings& raw) {
    switch (row.kind) {
        case Text:
            raw.settings.*row.text = std::string(value);
            break;
        case Decimal:
            raw.settings.*row.text = ShortestDecimal(NumericValue(value));
            break;
        case Count:
            raw.counts[static_cast<size_t>(row.setting)] = WholeNumber(value);
            break;
        case Flag:
            raw.settings.*row.flag = FlagValue(value);
            break;
    }
}

RawSettings ParseRaw(std::string_view fileText) {
    RawSettings raw;
    for (std::string_view line : SplitLines(fileText)) {
        std::string_view item = SkipLeadingBlanks(line);
        for (const ToolSettingRow& row : kRows) {
            std::string prefix = KeyPrefix(row);
            if (StartsWithIgnoreCase(item, prefix)) {
                raw.anyKey = true;
                ReadValue(row, item.substr(prefix.size()), raw);
                break;
            }
        }
    }
    for (const ToolSettingRow& row : kRows)
        if (row.kind == Count)
            raw.settings.*row.count = Wrap16(raw.counts[static_cast<size_t>(row.setting)]);
    return raw;
}

// "BIN=, ASSEMBLER=, ...".
std::string KeyList() {
    std::string list;
    for (const ToolSettingRow& row : kRows)
        list += (list.empty() ? "" : ", ") + KeyPrefix(row);
    return list;
}

}  // namespace

std::string_view FlagText(bool on) {
    return on ? "1" : "0";
}

bool FlagValue(std::string_view text) {
    std::string word = Trimmed(text);
    for (std::string_view on : {"true", "yes", "on"})
        if (EqualsIgnoreCase(word, on))
            return true;
    return NumericValue(word) != 0;
}

std::span<const ToolSettingRow> ToolSettingRows() {
    return kRows;
}

const ToolSettingRow& ToolSettingRowOf(ToolSetting setting) {
    return kRows[static_cast<size_t>(setting)];
}

ToolSettings DefaultToolSettings() {
    TextFile file;
    for (const ToolSettingRow& row : kRows)
        file.Line(FileLine(row, row.defaultValue));
    return ParseToolSettings(file.Text());
}

std::string ToolSettingsFileText(const ToolSettings& settings) {
    TextFile file;
    for (const ToolSettingRow& row : kRows)
        file.Line(FileLine(row, ValueText(row, settings)));
    return file.Text();
}

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
                        "holds none of the keys " + KeyList() + "; the defaults are used"}
                 .Text()}};
    LoadedToolSettings loaded{raw.settings, {}};
    const ToolSettings defaults = DefaultToolSettings();
    for (const ToolSettingRow& row : kRows) {
        if (row.kind != Count)
            continue;
        std::string problem = CountProblem(row, raw.counts[static_cast<size_t>(row.setting)]);
        if (problem.empty())
            continue;
        loaded.settings.*row.count = defaults.*row.count;
        loaded.warnings.push_back(Diagnostic{
            pathText, 0, problem + "; " + std::to_string(defaults.*row.count) + " is used"}
                                      .Text());
    }
    return loaded;
}

ToolSettingsFields ToolSettingsFieldsOf(const ToolSettings& settings) {
    ToolSettingsFields fields;
    for (const ToolSettingRow& row : kRows)
        fields[row.setting] = Trimmed(ValueText(row, settings));
    return fields;
}

ToolSettings ToolSettingsFromFields(const ToolSettingsFields& fields) {
    ToolSettings settings;
    for (const ToolSettingRow& row : kRows) {
        std::string text = Trimmed(fields[row.setting]);
        switch (row.kind) {
            case Count:
                settings.*row.count = Wrap16(WholeNumber(text));
                break;
            case Flag:
                settings.*row.flag = FlagValue(text);
                break;
            case Text:
            case Decimal:
                settings.*row.text = text;
                break;
        }
    }
    return settings;
}

std::optional<RefusedToolSetting> RefusedSetting(const ToolSettingsFields& fields) {
    for (const ToolSettingRow& row : kRows)
        if (row.kind == Count)
            if (std::string problem = CountProblem(row, WholeNumber(fields[row.setting]));
                !problem.empty())
                return RefusedToolSetting{row.setting, problem};
    return std::nullopt;
}

Status WriteToolSettingsFile(FileSystem& fs, const std::string& pathText,
                             const ToolSettingsFields& fields) {
    if (std::optional<RefusedToolSetting> refused = RefusedSetting(fields))
        return Diagnostic{pathText, 0, refused->problem + "; nothing was written"};
    TextFile file;
    for (const ToolSettingRow& row : kRows)
        file.Line(FileLine(row, FieldValueText(row, fields[row.setting])));
    return fs.WriteFile(pathText, file.Text());
}

}  // namespace cuffware
