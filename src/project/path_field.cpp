#include "project/path_field.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "platform/path_text.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

bool IsDevice(std::string_view name) {
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : kPlain)
        if (EqualsIgnoreCase(name, device))
            return true;
    return name.size() == 4 &&
           (StartsWithIgnoreCase(name, "COM") || StartsWithIgnoreCase(name, "LPT")) &&
           name[3] >= '1' && name[3] <= '9';
}

// A component as Windows reads it for a device: the part before its first
// dot, without the spaces that end it ("con .txt", "nul...", "aux  ").
std::string_view DeviceStem(std::string_view component) {
    std::string_view stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    return stem;
}

}  // namespace

std::optional<std::string> DeviceNameIn(std::string_view pathText) {
    std::string_view rest = pathText.substr(DriveOf(pathText).size());
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of("\\/"), rest.size());
        std::string_view stem = DeviceStem(rest.substr(0, end));
        if (IsDevice(stem))
            return ToUpperAscii(stem);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return std::nullopt;
}

bool IsNetworkPath(std::string_view pathText) {
    return pathText.size() >= 2 && IsPathSeparator(pathText[0]) && IsPathSeparator(pathText[1]);
}

Status CheckPathField(std::string_view text, std::string_view what) {
    const std::string quoted = "\"" + ControlBytesEscaped(text) + "\"";
    const std::string field(what);
    if (HasControlByte(text))
        return Diagnostic{"", 0, field + " must not hold control bytes: " + quoted};
    if (IsNetworkPath(text))
        return Diagnostic{
            "", 0, field + " " + quoted + " is a network path, which the builder does not map"};
    if (std::optional<std::string> device = DeviceNameIn(text))
        return Diagnostic{"", 0, field + " " + quoted + " names the Windows device " + *device};
    return Status::Ok();
}

Status CheckProjectPaths(const ProjectRecord& project, const ToolSettings& settings) {
    const std::pair<const std::string*, const char*> fields[] = {
        {&project.FolderName, "the folder name"},
        {&project.VersionRequired, "the version required"},
        {&project.PCInterface, "the PC interface"},
        {&project.HeaderDirectory, "the header directory"},
        {&project.SourceDirectory, "the source directory"},
        {&project.BuildDirectory, "the build directory"},
        {&project.IncludeDirectory, "the include directory"},
        {&project.AssemblerDirectory, "the assembler directory"},
        {&settings.SdkPath, "the SDK directory"},
        {&settings.AssemblerPath, "the toolchain directory"},
    };
    for (const auto& [text, what] : fields)
        if (Status field = CheckPathField(*text, what); !field.ok())
            return field;
    const FileTree& tree = project.Files;
    for (int node = kParameterNode; node <= StateNode(tree.NumberOfStates()); ++node) {
        if (!tree.Contains(node))
            continue;
        for (const std::string& file : tree.Files(node))
            if (Status field = CheckPathField(file, "a file of \"" + tree.Find(node)->text + "\"");
                !field.ok())
                return field;
    }
    return Status::Ok();
}

}  // namespace cuffware
