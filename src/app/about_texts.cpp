#include "app/about_texts.h"

namespace cuffware {

std::string VersionLine(int major, int minor, int revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

std::string ProgramVersionLine() {
    return VersionLine(CUFFWARE_VERSION_MAJOR, CUFFWARE_VERSION_MINOR, CUFFWARE_VERSION_REVISION);
}

}  // namespace cuffware
