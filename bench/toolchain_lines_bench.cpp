// The toolchain's speed on sources of 10,000, 100,000 and 1,000,000 lines of
// the shape bench/compare-gnu.sh times against GNU binutils for AVR: register
// loads, 8- and 16-bit immediates, memory operands, a branch and a call to a
// label, data directives, 24 bytes of code per 10 lines, a new bank every
// 20,000 lines, a new module every 240,000 lines (as88 reads at most
// 262,144 lines of one source). Each tool runs as its program would, through
// its entry function, reading and writing files in a scratch directory.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "toolchain/programs/tools.h"

namespace cuffware::toolchain {
namespace {

namespace fs = std::filesystem;

constexpr long kModuleLines = 240000;

// Lines first to first + count of the source, as one module.
std::string GeneratedModule(long first, long count) {
    std::string source;
    char text[512];
    for (long i = first / 10; i * 10 < first + count; ++i) {
        if (i % 2000 == 0) {
            long bank = i / 2000 + 1;
            std::snprintf(text, sizeof text,
                          "\tDEFSECT \".b%02lX\",CODE AT 0%02lX0000h\n\tSECT \".b%02lX\"\n", bank,
                          bank, bank);
            source += text;
        }
        std::snprintf(text, sizeof text,
                      "L%ld:\n\tLD A,#12h\n\tLD HL,#1234h\n\tLD A,[1234h]\n\tLD [HL],A\n"
                      "\tLD BA,[1234h]\n\tJRS NZ,L%ld\n\tCARL L%ld\n\tDB 1,2,3,4\n\tDW 5678h\n",
                      i, i, i);
        source += text;
    }
    return source;
}

// A scratch directory holding the modules tNN.asm of the given size,
// removed at the end.
class Workspace {
  public:
    explicit Workspace(long lines) {
        std::string pattern = (fs::temp_directory_path() / "cuffware-bench-XXXXXX").string();
        directory_ = mkdtemp(pattern.data()) ? pattern : std::string();
        link_ = {"-o", "t.out"};
        for (long first = 0; first < lines; first += kModuleLines) {
            std::string name = "t" + std::to_string(100 + first / kModuleLines).substr(1);
            std::ofstream(directory_ + "/" + name + ".asm", std::ios::binary)
                << GeneratedModule(first, std::min(kModuleLines, lines - first));
            modules_.push_back(name);
            link_.insert(link_.end() - 2, name + ".obj");
        }
    }
    ~Workspace() {
        std::error_code error;
        fs::remove_all(directory_, error);
    }
    int Run(ToolEntry tool, const std::vector<std::string>& args) const {
        std::ostringstream out, err;
        ToolContext context{directory_, directory_, out, err};
        int status = tool(args, context);
        if (status != 0)
            std::fprintf(stderr, "%s", err.str().c_str());
        return status;
    }

    bool Assemble() const {
        for (const std::string& module : modules_) {
            if (Run(RunAs88, {module + ".asm"}) != 0)
                return false;
        }
        return true;
    }
    bool Link() const { return Run(RunLk88, link_) == 0; }
    bool Locate() const { return Run(RunLc88, {"t.out", "-o", "t.sre"}) == 0; }

  private:
    std::string directory_;
    std::vector<std::string> modules_;
    std::vector<std::string> link_;
};

void BM_Assemble(benchmark::State& state) {
    Workspace work(state.range(0));
    for (auto _ : state) {
        if (!work.Assemble())
            state.SkipWithError("as88 failed");
    }
}
BENCHMARK(BM_Assemble)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_AssembleLinkLocate(benchmark::State& state) {
    Workspace work(state.range(0));
    for (auto _ : state) {
        if (!work.Assemble() || !work.Link() || !work.Locate())
            state.SkipWithError("a tool failed");
    }
}
BENCHMARK(BM_AssembleLinkLocate)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_Link(benchmark::State& state) {
    Workspace work(state.range(0));
    if (!work.Assemble())
        state.SkipWithError("as88 failed");
    for (auto _ : state) {
        if (!work.Link())
            state.SkipWithError("lk88 failed");
    }
}
BENCHMARK(BM_Link)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Locate(benchmark::State& state) {
    Workspace work(state.range(0));
    if (!work.Assemble() || !work.Link())
        state.SkipWithError("as88 or lk88 failed");
    for (auto _ : state) {
        if (!work.Locate())
            state.SkipWithError("lc88 failed");
    }
}
BENCHMARK(BM_Locate)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cuffware::toolchain
