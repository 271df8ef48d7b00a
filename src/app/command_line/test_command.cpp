#include "app/command_line/test_command.h"

#include <algorithm>

#include "app/actions/create_build_scripts.h"
#include "app/command_line/verdict.h"
#include "package/build_outputs.h"
#include "platform/file_times.h"
#include "platform/path_text.h"
#include "platform/standard_output.h"
#include "routine_tests/test_file.h"
#include "routine_tests/test_report.h"

namespace cuffware {

namespace {

constexpr size_t kMaxTestFileBytes = 1 << 20;
constexpr size_t kMaxBuildFileBytes = 16 << 20;

std::string MapOf(const std::string& sRecordFile) {
    return WithExtension(sRecordFile, ".map");
}

std::vector<std::string> ProjectSources(const ProjectRecord& project) {
    std::vector<std::string> sources = {ScriptPath(project)};
    for (int node = kParameterNode; node <= project.Files.LastCategoryNode(); ++node)
        for (const std::string& file : project.Files.Files(node))
            sources.push_back(file);
    return sources;
}

// Every test file of the folder read; the first malformed one is printed.
std::optional<std::vector<std::pair<std::string, TestFileReading>>> ReadTestFiles(
    HeadlessContext& context, const std::string& directory) {
    std::vector<std::pair<std::string, TestFileReading>> read;
    for (const std::string& name : FileNamesEndingWith(directory, ".tst")) {
        std::string path = JoinPath(directory, name);
        Result<std::string> text = context.bench.files.ReadFile(path, kMaxTestFileBytes);
        if (!text) {
            context.err << text.error().Text() << "\n";
            return std::nullopt;
        }
        TestFileReading reading = ReadTestFile(*text, path);
        if (reading.error) {
            context.err << reading.error->Text() << "\n";
            return std::nullopt;
        }
        read.emplace_back(path, std::move(reading));
    }
    return read;
}

Result<BuiltProgram> ReadBuild(FileSystem& files, const ProjectRecord& project) {
    BuiltProgram program;
    std::string buildDirectory = project.BuildDirectory;
    for (const std::string& sRecordFile : CodeSectionFiles(project)) {
        BuiltSection section{
            WithExtension(sRecordFile, ".asm"), {}, sRecordFile, {}, MapOf(sRecordFile)};
        for (auto [path, into] : {std::pair{section.sRecordName, &section.sRecords},
                                  std::pair{section.mapName, &section.map}}) {
            Result<std::string> text = files.ReadFile(path, kMaxBuildFileBytes);
            if (!text)
                return text.error();
            *into = std::move(*text);
        }
        program.sections.push_back(std::move(section));
    }
    for (const std::string& name : FileNamesEndingWith(project.IncludeDirectory, ".h")) {
        std::string path = JoinPath(project.IncludeDirectory, name);
        Result<std::string> text = files.ReadFile(path, kMaxBuildFileBytes);
        // A header whose equates are not all plain numbers names nothing.
        Result<std::vector<simulator::Label>> equates =
            text ? simulator::LabelsFromEquates(*text, path)
                 : Result<std::vector<simulator::Label>>(text.error());
        if (equates)
            program.sdkNames.insert(program.sdkNames.end(), equates->begin(), equates->end());
        if (text)
            program.contracts.merge(EntryContractsFromHeader(*text));
    }
    // The sources name what they include as the assembler sees it from the
    // build directory.
    program.read = [&files, buildDirectory](const std::string& pathText) {
        return files.ReadFile(IsRooted(pathText) ? pathText : JoinPath(buildDirectory, pathText),
                              kMaxBuildFileBytes);
    };
    return program;
}

// Builds as `all` does up to the S-records; with --json the batch's lines
// go to standard error, which the status lines already take.
bool Build(HeadlessContext& context) {
    std::optional<OutputToStandardError> reportAlone;
    if (context.args.json)
        reportAlone.emplace();
    if (!CreateBuildScripts(context.bench))
        return false;
    BuildOutcome built = RunBuildReportingFailure(context);
    if (built.status == kExitSuccess)
        return true;
    context.err << FailedVerdict(context.printed, built.firstFailure, built.status) << "\n";
    return false;
}

}  // namespace

std::string TestDirectory(const ProjectRecord& project) {
    return JoinPath(DirectoryOf(project.SourceDirectory), "test");
}

bool BuildIsUpToDate(const ProjectRecord& project) {
    std::optional<long long> oldestOutput;
    for (const std::string& sRecordFile : CodeSectionFiles(project)) {
        for (const std::string& output : {sRecordFile, MapOf(sRecordFile)}) {
            std::optional<long long> written = LastWritten(output);
            if (!written)
                return false;
            oldestOutput = std::min(oldestOutput.value_or(*written), *written);
        }
    }
    for (const std::string& source : ProjectSources(project)) {
        std::optional<long long> written = LastWritten(source);
        if (!written || *written > oldestOutput)
            return false;
    }
    return oldestOutput.has_value();
}

int RunTests(HeadlessContext& context) {
    const ProjectRecord& project = context.bench.project;
    std::string directory = TestDirectory(project);
    auto testFiles = ReadTestFiles(context, directory);
    if (!testFiles)
        return kExitFailure;
    if (testFiles->empty()) {
        context.err << "No test files (*.tst) in " << directory << "\n";
        return kExitFailure;
    }
    if (!BuildIsUpToDate(project) && !Build(context))
        return kExitFailure;
    Result<BuiltProgram> program = ReadBuild(context.bench.files, project);
    if (!program) {
        context.err << program.error().Text() << "\n";
        return kExitFailure;
    }
    std::vector<TestFileOutcomes> outcomes;
    for (const auto& [path, reading] : *testFiles)
        outcomes.push_back({path, RunRoutineTests(*program, reading.tests)});
    if (context.args.json)
        context.out << TestReportJson(outcomes) << std::endl;
    else
        context.out << TestReportText(outcomes) << std::flush;
    return AllPassed(outcomes) ? kExitSuccess : kExitFailure;
}

}  // namespace cuffware
