// What starting processes means on every host; the host's own half is in
// host_process_posix.cpp or host_process_win32.cpp.

#include "platform/host_process.h"
#include "platform/path_text.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace cuffware {

std::vector<std::string> SplitBuilderCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < commandLine.size()) {
        size_t start = commandLine.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        std::string word;
        bool quoted = false;
        for (pos = start; pos < commandLine.size() && (quoted || commandLine[pos] != ' '); ++pos) {
            if (commandLine[pos] == '"')
                quoted = !quoted;
            else
                word += commandLine[pos];
        }
        words.push_back(word);
    }
    return words;
}

std::string FindInPath(std::string_view name) {
    const char* path = std::getenv("PATH");
    std::string_view list = path ? path : "";
    while (true) {
        size_t end = list.find(kPathListSeparator);
        std::string directory(list.substr(0, end));
        std::string candidate = (directory.empty() ? std::string(".") : directory) + "/";
        candidate += name;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) && IsRunnable(candidate))
            return candidate;
        if (end == std::string_view::npos)
            return {};
        list.remove_prefix(end + 1);
    }
}

bool IsWindowsExecutable(const std::string& hostPath) {
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file)
        return false;
    char mark[2] = {};
    bool windows = std::fread(mark, 1, 2, file) == 2 && mark[0] == 'M' && mark[1] == 'Z';
    std::fclose(file);
    return windows;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& inherited,
                                         const ChildVariables& added, bool namesIgnoreCase) {
    auto sameName = [namesIgnoreCase](std::string_view entry, const std::string& name) {
        if (entry.size() <= name.size() || entry[name.size()] != '=')
            return false;
        std::string_view entryName = entry.substr(0, name.size());
        return namesIgnoreCase ? SameIgnoringCase(entryName, name) : entryName == name;
    };
    std::vector<std::string> environment;
    for (const std::string& entry : inherited) {
        bool replaced = false;
        for (const auto& variable : added)
            replaced = replaced || sameName(entry, variable.first);
        if (!replaced)
            environment.push_back(entry);
    }
    for (const auto& [name, value] : added)
        environment.push_back(name + "=" + value);
    return environment;
}

}  // namespace cuffware
