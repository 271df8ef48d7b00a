// The whole "Create Build Scripts" run, from the checks to the saved script,
// writing real files into a temporary directory.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/create_build_scripts.h"

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

void RunDriver(benchmark::State& state, int numberOfStates, int filesPerCategory) {
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
    for (int node = kParameterNode; node <= StateNode(numberOfStates); ++node)
        for (int i = 0; i < filesPerCategory; ++i)
            AddFileToCategory(bench.project.Files, node,
                              "c:\\q740\\app\\demo\\source\\file" + std::to_string(node) + "_" +
                                  std::to_string(i) + ".asm");

    for (auto _ : state)
        if (!CreateBuildScripts(bench))
            state.SkipWithError("generation failed");

    std::filesystem::remove_all(root);
}

void BM_GenerateLargestProject(benchmark::State& state) {
    RunDriver(state, 254, 20);
}
BENCHMARK(BM_GenerateLargestProject)->Unit(benchmark::kMillisecond);

void BM_GenerateDemoProject(benchmark::State& state) {
    RunDriver(state, 3, 2);
}
BENCHMARK(BM_GenerateDemoProject)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace cuffware
