#include "platform/path_text.h"

#include <cctype>

namespace cuffware {

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view DriveOf(std::string_view pathText) {
    bool drive = pathText.size() >= 2 && std::isalpha(static_cast<unsigned char>(pathText[0])) &&
                 pathText[1] == ':';
    return drive ? pathText.substr(0, 2) : std::string_view();
}

bool IsRooted(std::string_view pathText) {
    std::string_view rest = pathText.substr(DriveOf(pathText).size());
    return !rest.empty() && IsPathSeparator(rest[0]);
}

std::string_view FileNameOf(std::string_view pathText) {
    size_t separator = pathText.find_last_of("\\/");
    if (separator == std::string_view::npos)
        return pathText.substr(DriveOf(pathText).size());
    return pathText.substr(separator + 1);
}

std::string_view DirectoryOf(std::string_view pathText) {
    size_t separator = pathText.find_last_of("\\/");
    if (separator == std::string_view::npos)
        return {};
    size_t rootEnd = DriveOf(pathText).size() + 1;  // just past "c:\" or "\"
    bool atRoot = IsRooted(pathText) && separator + 1 == rootEnd;
    return pathText.substr(0, atRoot ? rootEnd : separator);
}

std::string WithExtension(std::string_view pathText, std::string_view extension) {
    std::string_view name = FileNameOf(pathText);
    size_t dot = name.find_last_of('.');
    size_t stemEnd =
        pathText.size() - name.size() + (dot == std::string_view::npos ? name.size() : dot);
    return std::string(pathText.substr(0, stemEnd)) + std::string(extension);
}

std::string DirectoryOrCurrent(std::string_view pathText) {
    std::string_view directory = DirectoryOf(pathText);
    return directory.empty() ? std::string(".") : std::string(directory);
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string joined(directory);
    joined += '\\';
    joined += name;
    return joined;
}

}  // namespace cuffware
