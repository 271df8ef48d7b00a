// `cuffware all` on the demo, as a user runs it: the program beside this one
// lays the demo out once in a scratch Wine prefix, then each iteration
// generates, builds (build.bat through the batch runner, which runs our
// tools in-process), packages and reports.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/program_directory.h"

namespace cuffware {
namespace {

namespace fs = std::filesystem;

void BM_AllOnTheDemo(benchmark::State& state) {
    const std::string cuffware = InProgramDirectory("cuffware");
    std::string pattern = (fs::temp_directory_path() / "cuffware-demo-XXXXXX").string();
    const std::string prefix = mkdtemp(pattern.data()) ? pattern : std::string();
    const std::string layOut = cuffware + " demo " + prefix + "/demo >/dev/null";
    const std::string all = "WINEPREFIX=" + prefix + "/demo " + cuffware + " --settings " + prefix +
                            "/demo/builder.ini all 'c:\\q740\\app\\demo\\build\\demo.scr'" +
                            " >/dev/null";
    if (prefix.empty() || std::system(layOut.c_str()) != 0)
        state.SkipWithError("the demo could not be laid out");
    for (auto _ : state) {
        if (std::system(all.c_str()) != 0)
            state.SkipWithError("cuffware all failed");
    }
    std::error_code error;
    fs::remove_all(prefix, error);
}
BENCHMARK(BM_AllOnTheDemo)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace cuffware
