#include "toolchain/programs/tool_context.h"

#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/host_path.h"

namespace cuffware::toolchain {

std::string ToolPath(const ToolContext& context, std::string_view pathText) {
    return HostPathFrom(context.workingDirectory, pathText);
}

std::string LookedFor(const ToolContext& context, std::string_view pathText) {
    std::error_code error;
    std::filesystem::path hostPath = ToolPath(context, pathText);
    std::filesystem::path absolute = std::filesystem::absolute(hostPath, error);
    return "(looked for " + (error ? hostPath : absolute).string() + ")";
}

namespace {

// "FILE:LINE", or "FILE" when no line is known.
std::string PlaceOf(const Diagnostic& diagnostic) {
    std::string text = diagnostic.path;
    if (diagnostic.line > 0)
        text += ":" + std::to_string(diagnostic.line);
    return text;
}

}  // namespace

std::string MessageText(const Diagnostic& diagnostic) {
    return PlaceOf(diagnostic) + ": " + diagnostic.message;
}

std::string ErrorText(const Diagnostic& diagnostic) {
    return PlaceOf(diagnostic) + ": error: " + diagnostic.message;
}

int Fail(const ToolContext& context, const Diagnostic& diagnostic) {
    context.err << ErrorText(diagnostic) << "\n";
    return 1;
}

Result<std::string> ReadInput(const ToolContext& context, const std::string& pathText) {
    Result<std::string> content =
        DiskFileSystem().ReadFile(ToolPath(context, pathText), kMaxToolInputBytes);
    if (!content)
        return Diagnostic{pathText, 0, "cannot open " + LookedFor(context, pathText)};
    return content;
}

Result<ObjectModule> ReadModule(const ToolContext& context, const std::string& pathText,
                                ModuleStage stage, LabelsKept labelsKept) {
    Result<std::string> text = ReadInput(context, pathText);
    if (!text)
        return text.error();
    return ParseModule(*text, stage, pathText, labelsKept);
}

Status WriteOutput(const ToolContext& context, const std::string& pathText,
                   std::string_view content) {
    Status written = DiskFileSystem().WriteRegenerable(ToolPath(context, pathText), content);
    if (!written)
        return Diagnostic{pathText, 0, written.error().message};
    return written;
}

void RemoveOutput(const ToolContext& context, const std::string& pathText) {
    (void)DiskFileSystem().RemoveFile(ToolPath(context, pathText));
}

}  // namespace cuffware::toolchain
