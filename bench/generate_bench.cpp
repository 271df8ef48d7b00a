// The whole "Create Build Scripts" run, from the checks to the saved script,
// writing real files into a temporary directory.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/actions/create_build_scripts.h"
#include "project/builder_script.h"

namespace cuffware {
namespace {

class SilentUser : public UserPort {
  public:
    void SetStatus(const std::string&) override {}
    void ShowMessage(const std::string&, MessageIcon) override {}
    std::optional<std::string> AskOpenFile(const OpenFileRequest&) override { return {}; }
};

class NoProcesses : public ProcessStarter {
  public:
    Status StartBatch(const std::string&) override { return {}; }
    Result<int> RunBatch(const std::string&) override { return 0; }
    Status StartCommandLine(const std::string&) override { return {}; }
    Result<int> RunCommandLine(const std::string&) override { return 0; }
};

// Runs "Create Build Scripts" on a project of numberOfStates states whose
// categories hold the files addFiles puts in.
template <class AddFiles>
void RunDriver(benchmark::State& state, int numberOfStates, AddFiles addFiles) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "cuffware-bench-XXXXXX").string();
    const std::string root = mkdtemp(pattern.data());

    SilentUser user;
    NoProcesses processes;
    Workbench bench(DiskFileSystem(), processes, user);
    bench.settings = DefaultToolSettings();
    bench.settings.NumberOfStates = static_cast<int16_t>(numberOfStates);
    bench.project = StartupProject(bench.settings);
    SetFolderName(bench.project, "demo", bench.settings);
    bench.project.ApplicationName = "Demo";
    bench.project.BuildDirectory = root + "/build";
    addFiles(bench.project.Files);

    for (auto _ : state)
        if (!CreateBuildScripts(bench))
            state.SkipWithError("generation failed");

    std::filesystem::remove_all(root);
}

std::string SourcePath(int node, int i) {
    return "c:\\q740\\app\\demo\\source\\file" + std::to_string(node) + "_" + std::to_string(i) +
           ".asm";
}

// Every category of a tree of numberOfStates states gets filesPerCategory files.
void AddEvenFiles(FileTree& tree, int numberOfStates, int filesPerCategory) {
    for (int node = kParameterNode; node <= StateNode(numberOfStates); ++node)
        for (int i = 0; i < filesPerCategory; ++i)
            AddFileToCategory(tree, node, SourcePath(node, i));
}

void RunEvenProject(benchmark::State& state, int numberOfStates, int filesPerCategory) {
    RunDriver(state, numberOfStates,
              [&](FileTree& tree) { AddEvenFiles(tree, numberOfStates, filesPerCategory); });
}

// The files the generation needs, plus `extra` files in the category `crowded`.
void RunCrowdedCategory(benchmark::State& state, int numberOfStates, int crowded, int extra) {
    RunDriver(state, numberOfStates, [&](FileTree& tree) {
        for (int node : {kParameterNode, kHeaderNode, kBackgroundNode, StateNode(0)})
            AddFileToCategory(tree, node, SourcePath(node, 0));
        for (int i = 1; i <= extra; ++i)
            AddFileToCategory(tree, crowded, SourcePath(crowded, i));
    });
}

void BM_GenerateLargestProject(benchmark::State& state) {
    RunEvenProject(state, 254, 20);
}
BENCHMARK(BM_GenerateLargestProject)->Unit(benchmark::kMillisecond);

void BM_GenerateDemoProject(benchmark::State& state) {
    RunEvenProject(state, 3, 2);
}
BENCHMARK(BM_GenerateDemoProject)->Unit(benchmark::kMicrosecond);

// Time must grow with the files of a category, not with their square.
void BM_GenerateFilesInOneCategory(benchmark::State& state) {
    RunCrowdedCategory(state, 3, StateNode(0), static_cast<int>(state.range(0)));
}
BENCHMARK(BM_GenerateFilesInOneCategory)->Arg(25'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The most INCLUDE text a script may carry, as header files, which every one
// of 255 state sources lists: the largest generation the script reader lets
// through.
void BM_GenerateLargestAcceptedScript(benchmark::State& state) {
    constexpr int kStates = 254;
    const long long perFile =
        static_cast<long long>(SourcePath(kHeaderNode, 10'000).size() + 16) * (kStates + 3);
    const int headers = static_cast<int>(kMaxScriptIncludeBytes / perFile) - 1;
    RunDriver(state, kStates, [&](FileTree& tree) {
        AddEvenFiles(tree, kStates, 1);
        for (int i = 1; i <= headers; ++i)
            AddFileToCategory(tree, kHeaderNode, SourcePath(kHeaderNode, i));
    });
}
BENCHMARK(BM_GenerateLargestAcceptedScript)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cuffware
