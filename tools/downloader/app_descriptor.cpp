#include "downloader/app_descriptor.h"

#include <vector>

#include "project/text_file.h"
#include "project/text_rules.h"

namespace cuffware::downloader {

namespace {

constexpr std::string_view kSection = "[Cuffware]";

struct Key {
    std::string_view name;
    std::string AppDescriptor::*field;
};

constexpr Key kKeys[] = {
    {"Name", &AppDescriptor::Name},
    {"Description", &AppDescriptor::Description},
    {"Line1", &AppDescriptor::Line1},
    {"Line2", &AppDescriptor::Line2},
    {"Version Required", &AppDescriptor::VersionRequired},
    {"PAR", &AppDescriptor::ParameterImage},
    {"CODE", &AppDescriptor::CodeImage},
    {"DB", &AppDescriptor::DatabaseImage},
    {"Password Support", &AppDescriptor::PasswordSupport},
    {"App Interface", &AppDescriptor::AppInterface},
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

Result<AppDescriptor> ParseAppDescriptor(std::string_view text, const std::string& pathText) {
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty() || lines[0] != kSection)
        return Diagnostic{pathText, 1, "expected " + Quoted(kSection)};
    AppDescriptor descriptor;
    int number = 1;
    for (const Key& key : kKeys) {
        ++number;
        std::string prefix = std::string(key.name) + "=";
        if (static_cast<size_t>(number) > lines.size())
            return Diagnostic{pathText, number, "missing, expected " + Quoted(prefix)};
        std::string_view line = lines[number - 1];
        if (!line.starts_with(prefix))
            return Diagnostic{pathText, number, "expected " + Quoted(prefix)};
        descriptor.*key.field = std::string(line.substr(prefix.size()));
    }
    for (size_t extra = number; extra < lines.size(); ++extra) {
        if (!Trimmed(lines[extra]).empty())
            return Diagnostic{pathText, static_cast<int>(extra) + 1,
                              "unexpected line after " + Quoted("App Interface=")};
    }
    return descriptor;
}

}  // namespace cuffware::downloader
