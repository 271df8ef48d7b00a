#include "downloader/app_descriptor.h"

#include <vector>

#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware::downloader {

namespace {

constexpr std::string_view kSection = "[Cuffware]";

struct Key {
    std::string_view name;
    std::string AppDescriptor::*field;
    bool namesImage = false;  // a file beside the descriptor
};

constexpr Key kKeys[] = {
    {"Name", &AppDescriptor::Name},
    {"Description", &AppDescriptor::Description},
    {"Line1", &AppDescriptor::Line1},
    {"Line2", &AppDescriptor::Line2},
    {"Version Required", &AppDescriptor::VersionRequired},
    {"PAR", &AppDescriptor::ParameterImage, true},
    {"CODE", &AppDescriptor::CodeImage, true},
    {"DB", &AppDescriptor::DatabaseImage, true},
    {"Password Support", &AppDescriptor::PasswordSupport},
    {"App Interface", &AppDescriptor::AppInterface},
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// An image's name is a file name alone: the images lie beside the
// descriptor, so a separator, a drive or ".." would reach elsewhere.
bool NamesAPath(std::string_view name) {
    return name.find_first_of("\\/:") != std::string_view::npos ||
           name.find("..") != std::string_view::npos;
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
        std::string_view value = line.substr(prefix.size());
        if (key.namesImage && NamesAPath(value))
            return Diagnostic{pathText, number,
                              prefix + " names a path, " + Quoted(ControlBytesEscaped(value)) +
                                  "; the images lie beside the descriptor"};
        descriptor.*key.field = std::string(value);
    }
    for (size_t extra = number; extra < lines.size(); ++extra) {
        if (!Trimmed(lines[extra]).empty())
            return Diagnostic{pathText, static_cast<int>(extra) + 1,
                              "unexpected line after " + Quoted("App Interface=")};
    }
    return descriptor;
}

}  // namespace cuffware::downloader
