#include "platform/program_version.h"

#include "platform/user_port.h"

namespace cuffware {

std::string VersionLine(int major, int minor, int revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

std::string ProgramVersionLine() {
    return VersionLine(CUFFWARE_VERSION_MAJOR, CUFFWARE_VERSION_MINOR, CUFFWARE_VERSION_REVISION);
}

std::string VersionText(std::string_view program) {
    return std::string(program) + ": " + kApplicationTitle + "\n" + ProgramVersionLine() + "\n";
}

bool AsksForVersion(const std::vector<std::string>& args) {
    return args.size() == 1 && args.front() == "--version";
}

bool PrintVersionIfAsked(const std::vector<std::string>& args, std::string_view program,
                         std::ostream& out) {
    if (!AsksForVersion(args))
        return false;
    out << VersionText(program);
    return true;
}

}  // namespace cuffware
