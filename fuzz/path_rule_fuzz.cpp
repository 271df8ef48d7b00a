// Any path text with a drive letter, mapped off Windows: the host path it
// gives never leaves that drive's directory of the Wine prefix, whatever
// ".." and "." and separators it holds, and the drive letter's case does not
// matter.

#include <cctype>
#include <cstddef>
#include <cstdint>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::fuzz;
    const std::string_view text = Text(data, size);
    if (text.size() < 2 || !std::isalpha(static_cast<unsigned char>(text[0])) || text[1] != ':')
        return 0;
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
