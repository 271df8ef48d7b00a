#pragma once
// Reading an application descriptor (NAME.app): "[Cuffware]" and ten
// key=value lines in a fixed order.

#include <string>
#include <string_view>

#include "platform/result.h"

namespace cuffware::downloader {

struct AppDescriptor {
    std::string Name;
    std::string Description;
    std::string Line1;
    std::string Line2;
    std::string VersionRequired;
    std::string ParameterImage;  // PAR=
    std::string CodeImage;       // CODE=
    std::string DatabaseImage;   // DB=, empty when the application has no database
    std::string PasswordSupport;
    std::string AppInterface;
};

// The descriptor in text; a line out of place is a Diagnostic naming
// pathText and the line. Blank lines after the last key are allowed.
Result<AppDescriptor> ParseAppDescriptor(std::string_view text, const std::string& pathText);

}  // namespace cuffware::downloader
