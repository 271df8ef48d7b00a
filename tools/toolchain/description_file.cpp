#include "toolchain/description_file.h"

#include <filesystem>

#include "platform/file_system.h"
#include "platform/host_path.h"

namespace cuffware::toolchain {

Result<std::string> FindDescriptionFile(const ToolContext& context,
                                        const CommandLine& commandLine) {
    const Option* option = commandLine.Find("-d");
    if (!option)
        return Diagnostic{"command line", 0, "no processor description file given (-d)"};
    std::string name(option->Argument("-d"));
    // Beside the programs the name is taken as from their etc directory, by
    // the same rule as in the working directory.
    std::string besideThePrograms =
        (std::filesystem::path(context.programDirectory).parent_path() / "etc").string();
    std::string candidates[] = {
        ToolPath(context, name),
        HostPathFrom(besideThePrograms, name),
    };
    for (const std::string& candidate : candidates) {
        if (DiskFileSystem().Exists(candidate))
            return candidate;
    }
    Diagnostic missing = option->origin;
    missing.message = "processor description file '" + name + "' not found";
    return missing;
}

}  // namespace cuffware::toolchain
