#include "toolchain/programs/description_file.h"

#include <filesystem>
#include <sstream>

#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kMaxDescriptionBytes = 64 << 10;

}  // namespace

bool DescribesS1C88(std::string_view text) {
    for (std::string_view line : SplitLines(text)) {
        std::istringstream words{std::string(line.substr(0, line.find(';')))};
        std::string key, cpu;
        if (words >> key >> cpu && EqualsIgnoreCase(key, "cpu"))
            return EqualsIgnoreCase(std::string_view(cpu).substr(0, 5), "S1C88");
    }
    return false;
}

Status CheckDescriptionFile(const ToolContext& context, const CommandLine& commandLine) {
    const Option* option = commandLine.Find("-d");
    if (!option)
        return Status::Ok();
    std::string name(option->Argument("-d"));
    // Beside the programs the name is taken as from their etc directory, by
    // the same rule as in the working directory.
    std::string besideThePrograms =
        (std::filesystem::path(context.programDirectory).parent_path() / "etc").string();
    std::string candidates[] = {
        ToolPath(context, name),
        HostPathFrom(besideThePrograms, name),
    };
    Diagnostic failed = option->origin;
    for (const std::string& candidate : candidates) {
        if (!DiskFileSystem().Exists(candidate))
            continue;
        Result<std::string> text = DiskFileSystem().ReadFile(candidate, kMaxDescriptionBytes);
        if (!text)
            return Diagnostic{name, 0, text.error().message};
        if (DescribesS1C88(*text))
            return Status::Ok();
        return Diagnostic{name, 0,
                          "not a description of an S1C88 processor (no \"cpu S1C88...\" line)"};
    }
    failed.message = "processor description file '" + name + "' not found";
    return failed;
}

}  // namespace cuffware::toolchain
