#pragma once
// The tool settings: where the SDK and the cross toolchain are installed, how
// many state categories a project has and which firmware version a new
// project requires. Stored in builder.ini beside the program.
//
// Each key of the file is one row of ToolSettingRows(): its member, how its
// value is read and written, its default, and its field in the Options
// dialog. A new key of any kind (a text, a number, a count or a check box) is
// a member, an enumerator and a row; each Options dialog then gets its
// control: the Qt object name (ui/options_dialog.cpp), and the Windows
// control's id (win32/resource_ids.h, win32/options_dialog.cpp) and place in
// win32/cuffware_builder.rc. A static_assert beside each front end's table
// says when one is missing.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/result.h"

namespace cuffware {

inline constexpr const char* kToolSettingsFileName = "builder.ini";
inline constexpr int kMaxNumberOfStates = 254;

struct ToolSettings {
    std::string SdkPath;
    std::string AssemblerPath;
    int16_t NumberOfStates = 0;
    std::string FirmwareVersion;
};

// The keys of builder.ini, in the order the file holds them and the Options
// dialog shows them.
enum class ToolSetting { SdkPath, AssemblerPath, NumberOfStates, FirmwareVersion };
inline constexpr size_t kToolSettingCount = 4;

// How a key's value is read from the file and from its field.
enum class ToolSettingKind {
    Text,     // kept as written (a path); its field trimmed
    Decimal,  // a number kept as its shortest decimal text
    Count,    // a whole number from 0 to its row's maximum; another is refused
    Flag,     // on or off, written as FlagText(); its field a check box
};

// A flag as the file and its field hold it: "1" or "0".
std::string_view FlagText(bool on);
// A flag's value as read from the file, leniently: on for a nonzero number
// ("1", "-1", "2") or "true", "yes" or "on" in any case, spaces around it
// ignored; off for anything else ("0", "", "off", "x").
bool FlagValue(std::string_view text);

struct ToolSettingRow {
    ToolSetting setting;
    std::string_view key;  // without its "="
    ToolSettingKind kind;
    std::string ToolSettings::*text;  // Text and Decimal
    int16_t ToolSettings::*count;     // Count
    bool ToolSettings::*flag;         // Flag
    std::string_view defaultValue;    // as a new file holds it
    int maximum;                      // Count: the largest usable value
    // The Options dialog's field (a check box for a Flag): its caption, and
    // its length limit (0: none).
    const char* caption;
    int maxLength;
};

// One row for each ToolSetting, in its order.
std::span<const ToolSettingRow> ToolSettingRows();
const ToolSettingRow& ToolSettingRowOf(ToolSetting setting);

// The values a new builder.ini is written with.
ToolSettings DefaultToolSettings();

// The file's lines, one for each key, each ending in CR LF.
std::string ToolSettingsFileText(const ToolSettings& settings);

// The values the file's text gives: keys matched without regard to case,
// whole lines, the last occurrence of a key wins, a missing key leaves its
// field empty or 0. A count is not range-checked here.
ToolSettings ParseToolSettings(std::string_view fileText);

// What LoadToolSettings found, with anything the user should be told.
struct LoadedToolSettings {
    ToolSettings settings;
    std::vector<std::string> warnings;
};

// The most builder.ini may hold; a few short lines are all it needs.
inline constexpr size_t kMaxToolSettingsBytes = 64 << 10;

// Reads the file; only when nothing is at its name is it created with the
// defaults and read again. One that is there but cannot be read (too large,
// not a regular file, no permission, a link to nothing or in a loop) fails
// with the system's reason and stays as it is. A file that holds none of the
// keys gives the defaults, and a count outside its range (NumberOfStates
// outside 0..254) its default, each with a warning naming the file.
Result<LoadedToolSettings> LoadToolSettings(FileSystem& fs, const std::string& pathText);

// The texts of the Options dialog, as typed, by ToolSetting.
struct ToolSettingsFields {
    std::array<std::string, kToolSettingCount> texts;

    std::string& operator[](ToolSetting setting) { return texts[static_cast<size_t>(setting)]; }
    const std::string& operator[](ToolSetting setting) const {
        return texts[static_cast<size_t>(setting)];
    }
};

// The fields a showing of the Options dialog starts with: texts trimmed,
// counts in decimal, flags as FlagText().
ToolSettingsFields ToolSettingsFieldsOf(const ToolSettings& settings);

// The settings the fields give: each trimmed, a count as the rounded numeric
// value of its text, a flag as FlagValue() of its text.
ToolSettings ToolSettingsFromFields(const ToolSettingsFields& fields);

// The first field whose value the writer refuses (a count out of its range),
// with the message; nothing when every field is usable.
struct RefusedToolSetting {
    ToolSetting setting;
    std::string problem;
};
std::optional<RefusedToolSetting> RefusedSetting(const ToolSettingsFields& fields);

// Replaces the file with a line for each field: each trimmed, a count
// written as the decimal text of its numeric value, a flag as FlagText(). A refused field
// (RefusedSetting) fails the write, and nothing is written.
Status WriteToolSettingsFile(FileSystem& fs, const std::string& pathText,
                             const ToolSettingsFields& fields);

}  // namespace cuffware
