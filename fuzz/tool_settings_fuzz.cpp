// builder.ini as anyone may have edited it: the parse, the range check of
// LoadToolSettings, and the file the settings are written back as.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "project/tool_settings.h"

namespace cuffware::fuzz {
namespace {

// Holds builder.ini in memory; LoadToolSettings only reads it here.
class OneFile : public FileSystem {
  public:
    explicit OneFile(std::string_view content) : content_(content) {}
    bool Exists(const std::string&) override { return true; }
    Result<bool> Present(const std::string&) override { return true; }
    Result<std::string> ReadFile(const std::string&, size_t) override {
        return std::string(content_);
    }
    Result<std::string> WriteTemporary(const std::string& path, std::string_view) override {
        return Diagnostic{path, 0, "read only"};
    }
    Status Rename(const std::string&, const std::string& path) override {
        return Diagnostic{path, 0, "read only"};
    }
    Status FlushDirectory(const std::string& path) override {
        return Diagnostic{path, 0, "read only"};
    }
    Status WriteFile(const std::string& path, std::string_view) override {
        return Diagnostic{path, 0, "read only"};
    }
    Status MakeDirectory(const std::string& path) override {
        return Diagnostic{path, 0, "read only"};
    }
    Status RemoveFile(const std::string& path) override { return Diagnostic{path, 0, "read only"}; }
    int DeleteMatching(const std::string&, std::string_view) override { return 0; }

  private:
    std::string_view content_;
};

bool Same(const ToolSettings& a, const ToolSettings& b) {
    return a.SdkPath == b.SdkPath && a.AssemblerPath == b.AssemblerPath &&
           a.NumberOfStates == b.NumberOfStates && a.FirmwareVersion == b.FirmwareVersion;
}

}  // namespace
}  // namespace cuffware::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::fuzz;
    const std::string_view text = Text(data, size);

    const ToolSettings parsed = ParseToolSettings(text);
    // A missing VERSION reads as "" but is written as "VERSION=", which reads
    // as 0; everything else survives the first write, and the second changes
    // nothing.
    const ToolSettings written = ParseToolSettings(ToolSettingsFileText(parsed));
    Check(written.SdkPath == parsed.SdkPath && written.AssemblerPath == parsed.AssemblerPath &&
              written.NumberOfStates == parsed.NumberOfStates,
          "the paths and the number of states are written as read");
    Check(Same(ParseToolSettings(ToolSettingsFileText(written)), written),
          "written settings read back as they were");

    OneFile file(text);
    Result<LoadedToolSettings> loaded = LoadToolSettings(file, "builder.ini");
    Check(loaded.ok(), "a readable file always loads");
    const int states = loaded->settings.NumberOfStates;
    Check(states >= 0 && states <= kMaxNumberOfStates, "the loaded number of states is usable");
    Check(loaded->warnings.size() <= 1, "at most one warning");
    // A file with none of the keys gives the defaults, and only such a file.
    const bool keyless =
        !loaded->warnings.empty() &&
        loaded->warnings.front().find("holds none of the keys") != std::string::npos;
    if (keyless)
        Check(Same(parsed, ToolSettings{}), "only a file without keys counts as keyless");
    ToolSettings expected = keyless ? DefaultToolSettings() : parsed;
    if (!loaded->warnings.empty() && !keyless)
        expected.NumberOfStates = DefaultToolSettings().NumberOfStates;
    Check(Same(loaded->settings, expected),
          "only a refused number of states, or a file without keys, is replaced");
    return 0;
}
