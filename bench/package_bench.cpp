// The packaging's speed: the S2 reader, the whole Create Cuffware on an image
// that fills the 32 KB buffer, and the analysis reading it back.
//
// Run with "--convert IN.sre OUT.bin" it converts one S-record file with the
// S2 reader instead, so that bench/compare-srec.sh can time it beside
// srec_cat and objcopy.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "analysis/memory_usage.h"
#include "app/actions/create_cuffware.h"
#include "package/code_image.h"
#include "platform/host_path.h"
#include "toolchain/object/srecord_reader.h"

namespace cuffware {
namespace {

class QuietUser : public UserPort {
  public:
    void SetStatus(const std::string&) override {}
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        if (icon == MessageIcon::Critical)
            std::fprintf(stderr, "%s\n", text.c_str());
    }
    std::optional<std::string> AskOpenFile(const OpenFileRequest&) override { return {}; }
};

class NoProcesses : public ProcessStarter {
  public:
    Status StartBatch(const std::string&) override { return Status::Ok(); }
    Result<int> RunBatch(const std::string&) override { return 0; }
    Status StartCommandLine(const std::string&) override { return Status::Ok(); }
    Result<int> RunCommandLine(const std::string&) override { return 0; }
};

std::string Hex2(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[value >> 4 & 0xF], digits[value & 0xF]};
}

// size bytes in S2 records of perRecord bytes, with an S0 header and an S8 end.
std::string SRecordText(size_t size, size_t perRecord = 32) {
    std::string text = "S00600004844521B\r\n";
    for (size_t at = 0; at < size; at += perRecord) {
        const size_t n = std::min(perRecord, size - at);
        const uint32_t address = 0x10000 + static_cast<uint32_t>(at);
        unsigned sum = static_cast<unsigned>(n + 4);
        text += "S2" + Hex2(static_cast<unsigned>(n + 4));
        for (int shift : {16, 8, 0}) {
            text += Hex2(address >> shift & 0xFF);
            sum += address >> shift & 0xFF;
        }
        for (size_t i = 0; i < n; ++i) {
            const unsigned byte = static_cast<unsigned>((at + i) * 37 & 0xFF);
            text += Hex2(byte);
            sum += byte;
        }
        text += Hex2(~sum & 0xFF) + "\r\n";
    }
    return text + "S804010000FA\r\n";
}

void BM_S2DataBytes(benchmark::State& state) {
    const std::string text = SRecordText(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(S2DataBytes(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_S2DataBytes)->Arg(32 * 1024)->Arg(4 * 1024 * 1024);

// A build directory whose sections fill the code image to its last byte:
// common 16000 bytes, state 0 to 2 the rest.
struct FullBuild {
    FullBuild() : bench(DiskFileSystem(), processes, user) {
        char pattern[] = "/tmp/cuffware-bench-XXXXXX";
        directory = mkdtemp(pattern);
        bench.project.FolderName = "Full";
        bench.project.VersionRequired = "740018";
        bench.project.BuildDirectory = directory;
        BuildFileTree(bench.project.Files, 15);
        const size_t headers = 7 + 2 * 4 + 3 * 4;
        const size_t sizes[] = {16000, 5000, 5000, kCodeImageMaxSize - headers - 26000};
        const char* names[] = {"common.sre", "state0.sre", "state1.sre", "state2.sre"};
        for (int k = 0; k < 4; ++k) {
            Write(names[k], SRecordText(sizes[k]));
            if (k > 0)
                AddFileToCategory(bench.project.Files, StateNode(k - 1), "s.asm");
        }
        Write("param.sre", SRecordText(28));
    }
    ~FullBuild() { std::filesystem::remove_all(directory); }

    void Write(const std::string& name, const std::string& content) {
        if (!DiskFileSystem().WriteFile(directory + "/" + name, content))
            std::abort();
    }

    QuietUser user;
    NoProcesses processes;
    Workbench bench;
    std::string directory;
};

void BM_CreateCuffwareFullImage(benchmark::State& state) {
    FullBuild build;
    for (auto _ : state)
        if (!CreateCuffware(build.bench))
            state.SkipWithError("Create Cuffware failed");
    const ProjectRecord& project = build.bench.project;
    std::error_code error;
    state.counters["image_bytes"] = static_cast<double>(std::filesystem::file_size(
        HostPath(CodeImagePathForAnalysis(project.FolderName, project.BuildDirectory,
                                          project.VersionRequired)),
        error));
}
BENCHMARK(BM_CreateCuffwareFullImage)->Unit(benchmark::kMicrosecond);

void BM_AnalyzeCodeImageFull(benchmark::State& state) {
    FullBuild build;
    if (!CreateCuffware(build.bench))
        state.SkipWithError("Create Cuffware failed");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            AnalyzeCodeImage(DiskFileSystem(), "Full", build.directory, "740018"));
}
BENCHMARK(BM_AnalyzeCodeImageFull)->Unit(benchmark::kMicrosecond);

int Convert(const char* in, const char* out) {
    Result<std::string> text = DiskFileSystem().ReadFile(in, kMaxSRecordFileBytes);
    if (!text) {
        std::fprintf(stderr, "%s\n", text.error().Text().c_str());
        return 1;
    }
    if (Status written = DiskFileSystem().WriteFile(out, S2DataBytes(*text)); !written) {
        std::fprintf(stderr, "%s\n", written.error().Text().c_str());
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace cuffware

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--convert") == 0)
        return cuffware::Convert(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
