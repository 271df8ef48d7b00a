#pragma once
// The tool settings: where the SDK and the cross toolchain are installed, how
// many state categories a project has and which firmware version a new
// project requires. Stored in builder.ini beside the program.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/result.h"

namespace cuffware {

inline constexpr const char* kToolSettingsFileName = "builder.ini";
inline constexpr int kMaxNumberOfStates = 254;
inline constexpr int kDefaultNumberOfStates = 15;

struct ToolSettings {
    std::string SdkPath;
    std::string AssemblerPath;
    int16_t NumberOfStates = 0;
    std::string FirmwareVersion;
};

// The values a new builder.ini is written with.
ToolSettings DefaultToolSettings();

// The four lines the file holds, each ending in CR LF.
std::string ToolSettingsFileText(const ToolSettings& settings);

// The values the file's text gives: keys matched without regard to case,
// whole lines, the last occurrence of a key wins, a missing key leaves its
// field empty or 0. NumberOfStates is not range-checked here.
ToolSettings ParseToolSettings(std::string_view fileText);

// What LoadToolSettings found, with anything the user should be told.
struct LoadedToolSettings {
    ToolSettings settings;
    std::vector<std::string> warnings;
};

// The most builder.ini may hold; four short lines are all it needs.
inline constexpr size_t kMaxToolSettingsBytes = 64 << 10;

// Reads the file; only when nothing is at its name is it created with the
// defaults and read again. One that is there but cannot be read (too large,
// not a regular file, no permission, a link to nothing or in a loop) fails
// with the system's reason and stays as it is. A file that holds none of the
// keys gives the defaults, and a NumberOfStates outside 0..254 the default
// number, each with a warning naming the file.
Result<LoadedToolSettings> LoadToolSettings(FileSystem& fs, const std::string& pathText);

// The four texts of the Options dialog, as typed.
struct ToolSettingsFields {
    std::string sdkPath;
    std::string assemblerPath;
    std::string numberOfStates;
    std::string firmwareVersion;
};

// The settings the four fields give: each trimmed, the number of states as
// the rounded numeric value of its text.
ToolSettings ToolSettingsFromFields(const ToolSettingsFields& fields);

// The message for a number of states outside 0..254, or "" when it is usable.
std::string NumberOfStatesProblem(long long numberOfStates);

// Replaces the file with the four lines from the fields: each trimmed, the
// number of states written as the decimal text of its numeric value.
// A number of states outside 0..254 is refused and nothing is written.
Status WriteToolSettingsFile(FileSystem& fs, const std::string& pathText,
                             const ToolSettingsFields& fields);

}  // namespace cuffware
