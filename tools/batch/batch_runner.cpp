#include "batch/batch_runner.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "batch/own_tool.h"
#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/host_process.h"
#include "platform/path_text.h"
#include "platform/scratch_file.h"
#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "platform/wine_path.h"

namespace cuffware::batch {

namespace fs = std::filesystem;

namespace {

// A batch file that starts itself, directly or not, must end somewhere, and
// soon: one that starts itself twice would otherwise double with each level.
constexpr int kMaxBatchDepth = 8;
constexpr int kMaxNestedBatches = 64;

bool IsRegularFile(const std::string& hostPath) {
    std::error_code error;
    return fs::is_regular_file(hostPath, error);
}

Status ChangeDirectory(const std::string& directoryText, BatchContext& context) {
    if (directoryText.empty()) {
        context.out << context.currentDirectory << "\n";
        return Status::Ok();
    }
    std::string target = BatchPath(context, directoryText);
    std::error_code error;
    if (!fs::is_directory(target, error))
        return Diagnostic{directoryText, 0, "no such directory (" + target + ")"};
    std::string normal = fs::path(target).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')  // "x/.." normalises to "x/"
        normal.pop_back();
    context.currentDirectory = normal;
    return Status::Ok();
}

// Deletes the files matching each pattern. No match is no failure, as with
// the interpreter; a file that matched but could not be deleted is named
// with the system's reason and fails the line.
Status Delete(const std::vector<std::string>& patterns, BatchContext& context) {
    std::string refused;
    for (const std::string& pattern : patterns) {
        std::string hostPattern = BatchPath(context, pattern);
        fs::path directory = DirectoryOrCurrent(hostPattern);
        std::string names(FileNameOf(hostPattern));
        std::vector<fs::path> matches;
        std::error_code error;
        for (fs::directory_iterator it(directory, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code typeError;
            if (it->is_regular_file(typeError) &&
                WildcardMatch(names, it->path().filename().string()))
                matches.push_back(it->path());
        }
        for (const fs::path& match : matches) {
            std::error_code removeError;
            if (!fs::remove(match, removeError) && removeError) {
                if (!refused.empty())
                    refused += "; ";
                refused += WindowsFormUnderWine(match.string()) +
                           ": cannot delete: " + removeError.message();
            }
        }
        if (matches.empty() && !context.quiet)
            context.out << "Could Not Find " << WindowsFormUnderWine(hostPattern) << "\n";
    }
    if (!refused.empty())
        return Diagnostic{"", 0, refused};
    return Status::Ok();
}

// A copy stays on the drive its destination names (the current directory's
// when it names none): a directory link on the way that leads off it is
// refused. Off every drive the host's own paths are taken as they are.
Status StaysOnItsDrive(const std::string& destinationText, const std::string& destination,
                       const BatchContext& context) {
    std::optional<std::string> here = WindowsPathUnderWine(context.currentDirectory, WinePrefix());
    if (!here)
        return Status::Ok();
    std::string_view named = DriveOf(destinationText);
    std::string drive = named.empty() ? here->substr(0, 2) : std::string(named);
    std::string directory = fs::path(destination).parent_path().string();
    std::optional<std::string> lands = WindowsPathUnderWine(directory, WinePrefix());
    if (lands && SameIgnoringCase(lands->substr(0, 2), drive))
        return Status::Ok();
    return Diagnostic{
        destinationText, 0,
        "cannot write: a link on the way leads off drive " + drive + " (" + directory + ")"};
}

Status Copy(const std::string& sourceText, const std::string& destinationText,
            BatchContext& context) {
    std::string source = BatchPath(context, sourceText);
    if (!IsRegularFile(source))
        return Diagnostic{sourceText, 0, "no such file (" + source + ")"};
    std::string destination = BatchPath(context, destinationText);
    // A directory by its own name only: a link there, to a directory or a
    // file, is never followed; the write refuses it as it refuses every link.
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(destination, error)))
        destination = (fs::path(destination) / fs::path(source).filename()).string();
    if (Status onDrive = StaysOnItsDrive(destinationText, destination, context); !onDrive)
        return onDrive;
    Result<std::string> content = DiskFileSystem().ReadFile(source, kMaxCopiedBytes);
    if (!content)
        return content.error();
    if (Status written = DiskFileSystem().WriteRegenerable(destination, *content); !written)
        return written;
    context.out << "        1 file(s) copied.\n";
    return Status::Ok();
}

bool IsBatchFile(const std::string& hostPath) {
    std::string lower = ToLowerAscii(hostPath);
    return lower.ends_with(".bat") || lower.ends_with(".cmd");
}

// Another batch file runs here and now, in the same current directory, and
// comes back, as CALL would.
Status RunNestedBatch(const std::string& programText, const std::string& hostPath,
                      BatchContext& context) {
    if (context.depth >= kMaxBatchDepth)
        return Diagnostic{programText, 0,
                          "batch files nested too deeply (at most " +
                              std::to_string(kMaxBatchDepth) + " levels)"};
    if (context.nestedBatches >= kMaxNestedBatches)
        return Diagnostic{programText, 0,
                          "too many batch files started from batch files (at most " +
                              std::to_string(kMaxNestedBatches) + ")"};
    Result<std::string> text = DiskFileSystem().ReadFile(hostPath, kMaxBatchBytes);
    if (!text)
        return text.error();
    ++context.nestedBatches;
    ++context.depth;
    int failed = RunBatchText(*text, programText, context);
    --context.depth;
    if (failed > 0)
        return Diagnostic{programText, 0, std::to_string(failed) + " line(s) failed"};
    return Status::Ok();
}

// Wine's own lines ("0024:fixme:...", "wine: ...") are not the program's.
bool IsWineNoise(std::string_view line) {
    bool debugChannel =
        line.size() > 5 && line[4] == ':' &&
        line.substr(0, 4).find_first_not_of("0123456789abcdef") == std::string_view::npos;
    return debugChannel || line.starts_with("wine: ");
}

std::string FirstMessageLine(std::string_view output) {
    for (std::string_view line : SplitLines(output)) {
        if (!Trimmed(line).empty() && !IsWineNoise(line))
            return std::string(line);
    }
    return {};
}

// Runs the program as a process of its own, its output caught in a file.
Result<int> StartProgram(const std::string& programText, const std::string& program,
                         const std::vector<std::string>& arguments, BatchContext& context,
                         Result<std::string>& printed) {
    Result<std::vector<std::string>> argv = ProgramArgv(programText, program, arguments);
    if (!argv)
        return argv.error();
    ScratchFile output("output.txt");
    context.out.flush();
    Result<int> status = RunProgram({*argv, context.currentDirectory, output.path(), programText});
    printed = DiskFileSystem().ReadFile(output.path(), kMaxCopiedBytes);
    return status;
}

Status RunProgramLine(const std::vector<std::string>& words, BatchContext& context) {
    const std::string& programText = words.front();
    Result<std::string> program = FindProgram(context, programText);
    if (!program)
        return program.error();
    if (IsBatchFile(*program))
        return RunNestedBatch(programText, *program, context);
    std::vector<std::string> arguments(words.begin() + 1, words.end());
    // The program's output is caught, so the first line of a failing
    // program's message can lead the report of the batch's first failure.
    Result<std::string> printed = std::string();
    Result<int> status = 0;
    if (std::optional<OwnTool> tool = FindOwnTool(*program)) {
        OwnToolRun run = RunOwnTool(*tool, *program, arguments, context.currentDirectory);
        status = run.status;
        printed = std::move(run.printed);
    } else {
        status = StartProgram(programText, *program, arguments, context, printed);
    }
    bool failed = !status || *status != 0;
    if (printed && !printed->empty()) {
        (failed ? context.err : context.out) << *printed << std::flush;
        if (failed)
            context.programMessage = FirstMessageLine(*printed);
    }
    if (!status)
        return status.error();
    if (*status != 0)
        return Diagnostic{programText, 0, "ended with exit status " + std::to_string(*status)};
    return Status::Ok();
}

}  // namespace

std::string BatchPath(const BatchContext& context, std::string_view pathText) {
    return HostPathFrom(context.currentDirectory, pathText);
}

Result<std::string> FindProgram(const BatchContext& context, const std::string& programText) {
    for (const char* extension : {"", ".exe", ".com", ".bat"}) {
        std::string candidate = BatchPath(context, programText + extension);
        if (IsRegularFile(candidate))
            return candidate;
    }
    return Diagnostic{programText, 0, "not found, not even with .exe, .com or .bat added"};
}

Status RunCommand(const BatchCommand& command, BatchContext& context) {
    switch (command.kind) {
        case BatchCommand::kNothing:
            return Status::Ok();
        case BatchCommand::kEcho:
            context.out << command.text << "\n";
            return Status::Ok();
        case BatchCommand::kChangeDirectory:
            return ChangeDirectory(command.text, context);
        case BatchCommand::kDelete:
            return Delete(command.words, context);
        case BatchCommand::kCopy:
            return Copy(command.words[0], command.words[1], context);
        case BatchCommand::kProgram:
            return RunProgramLine(command.words, context);
    }
    return Status::Ok();
}

int RunBatchText(std::string_view text, const std::string& batchName, BatchContext& context) {
    int failed = 0;
    int lineNumber = 0;
    for (std::string_view line : SplitLines(text)) {
        ++lineNumber;
        Result<BatchCommand> command = ParseBatchLine(line);
        if (command && command->kind == BatchCommand::kNothing)
            continue;
        if (!context.quiet)
            context.out << "> " << Trimmed(line) << "\n";
        context.programMessage.clear();
        Status done = command ? RunCommand(*command, context) : Status(command.error());
        if (!done) {
            ++failed;
            context.out.flush();
            std::string where = Diagnostic{batchName, lineNumber, ""}.Text();
            std::string report = where + "\"" + Trimmed(line) + "\" failed: " + done.error().Text();
            context.err << report << "\n";
            if (context.firstFailure.empty())
                context.firstFailure =
                    context.programMessage.empty()
                        ? report
                        : context.programMessage + " (" + where.substr(0, where.size() - 2) + ")";
        }
    }
    return failed;
}

}  // namespace cuffware::batch
