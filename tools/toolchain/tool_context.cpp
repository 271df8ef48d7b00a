#include "toolchain/tool_context.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/path_text.h"

namespace cuffware::toolchain {

namespace {

// A path with a drive, or from a root, does not start in the working directory.
bool IsAbsolute(std::string_view text) {
    return !DriveOf(text).empty() || IsRooted(text);
}

}  // namespace

std::string ToolPath(const ToolContext& context, std::string_view pathText) {
    if (IsAbsolute(pathText) || context.workingDirectory.empty())
        return HostPath(pathText);
    return ResolveCase(context.workingDirectory + "/" + MapPathText(pathText, WinePrefix()));
}

std::string LookedFor(const ToolContext& context, std::string_view pathText) {
    std::error_code error;
    std::filesystem::path hostPath = ToolPath(context, pathText);
    std::filesystem::path absolute = std::filesystem::absolute(hostPath, error);
    return "(looked for " + (error ? hostPath : absolute).string() + ")";
}

std::string MessageText(const Diagnostic& diagnostic) {
    std::string text = diagnostic.path;
    if (diagnostic.line > 0)
        text += ":" + std::to_string(diagnostic.line);
    return text + ": " + diagnostic.message;
}

int Fail(const ToolContext& context, const Diagnostic& diagnostic) {
    context.err << MessageText(diagnostic) << "\n";
    return 1;
}

Result<std::string> ReadInput(const ToolContext& context, const std::string& pathText) {
    Result<std::string> content =
        DiskFileSystem().ReadFile(ToolPath(context, pathText), kMaxToolInputBytes);
    if (!content)
        return Diagnostic{pathText, 0, "cannot open " + LookedFor(context, pathText)};
    return content;
}

Status WriteOutput(const ToolContext& context, const std::string& pathText,
                   std::string_view content) {
    Status written = DiskFileSystem().WriteFile(ToolPath(context, pathText), content);
    if (!written)
        return Diagnostic{pathText, 0, written.error().message};
    return written;
}

void RemoveOutput(const ToolContext& context, const std::string& pathText) {
    (void)DiskFileSystem().RemoveFile(ToolPath(context, pathText));
}

}  // namespace cuffware::toolchain
