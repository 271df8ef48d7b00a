// Any path text with a drive letter, mapped off Windows: the host path it
// gives never leaves that drive's directory of the Wine prefix, whatever
// ".." and "." and separators it holds, and the drive letter's case does not
// matter. Any other text is taken as a tool takes it from the build
// directory c:\q740\app\demo\build of a Wine prefix made for the run: its
// host path, made lexically normal, stays on drive c:.

#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_check.h"
#include "platform/host_path.h"

namespace {

constexpr std::string_view kPrefix = "/prefix";

bool StaysBelow(std::string_view mapped, std::string_view driveRoot) {
    if (!mapped.starts_with(driveRoot))
        return false;
    std::string_view rest = mapped.substr(driveRoot.size());
    if (rest.empty())
        return true;
    if (rest.front() != '/')
        return false;
    rest.remove_prefix(1);
    while (true) {
        const size_t end = rest.find('/');
        std::string_view component = rest.substr(0, end);
        if (component.empty() || component == "." || component == "..")
            return false;
        if (end == std::string_view::npos)
            return true;
        rest.remove_prefix(end + 1);
    }
}

// A Wine prefix of the run's own, with its drive c: and a build directory
// four levels deep; the prefix is in force for HostPathFrom.
struct ToolPrefix {
    std::filesystem::path root;
    std::string driveRoot;
    std::string buildDirectory;

    ToolPrefix() {
        namespace fs = std::filesystem;
        root = fs::temp_directory_path() / ("path-rule-fuzz-" + std::to_string(getpid()));
        fs::create_directories(root / "dosdevices");
        fs::create_directories(root / "drive_c/q740/app/demo/build");
        std::error_code error;
        fs::create_directory_symlink("../drive_c", root / "dosdevices/c:", error);
        driveRoot = (root / "dosdevices/c:").string();
        buildDirectory = driveRoot + "/q740/app/demo/build";
        cuffware::UseWinePrefix(root.string());
    }
    ~ToolPrefix() {
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
};

void CheckToolPath(std::string_view text) {
    using namespace cuffware;
    static ToolPrefix prefix;
    // An empty text names nothing, and a NUL never reaches the host.
    if (text.empty() || text.find('\0') != std::string_view::npos)
        return;
    const std::string host = HostPathFrom(prefix.buildDirectory, text);
    const std::string normal = std::filesystem::path(host).lexically_normal().string();
    fuzz::Check(StaysBelow(normal.ends_with('/') ? normal.substr(0, normal.size() - 1) : normal,
                           prefix.driveRoot),
                "a tool's path without a drive stays on the build directory's drive");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::fuzz;
    const std::string_view text = Text(data, size);
    if (text.size() < 2 || !std::isalpha(static_cast<unsigned char>(text[0])) || text[1] != ':') {
        CheckToolPath(text);
        return 0;
    }
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    const std::string driveRoot = std::string(kPrefix) + "/dosdevices/" + letter + ":";
    const std::string mapped = MapPathText(text, kPrefix);
    Check(StaysBelow(mapped, driveRoot), "a Windows path stays on its drive");

    std::string otherCase(text);
    otherCase[0] = static_cast<char>(std::isupper(static_cast<unsigned char>(text[0]))
                                         ? std::tolower(static_cast<unsigned char>(text[0]))
                                         : std::toupper(static_cast<unsigned char>(text[0])));
    Check(MapPathText(otherCase, kPrefix) == mapped, "the drive letter's case does not matter");

    std::string plain = otherCase.substr(0, 2);
    for (std::string_view component : ComponentsBelowDriveRoot(text.substr(2)))
        plain += "\\" + std::string(component);
    Check(MapPathText(plain, kPrefix) == mapped, "mapping the plain path gives the same");
    return 0;
}
