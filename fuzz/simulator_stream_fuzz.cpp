// Byte streams run as programs: the first byte picks the model, the stack
// mode and the interrupt level, the rest is code at 001000 (and at 018000,
// bank 3). Every run must end with a stop within the cycle limit plus the
// one step that crossed it, whatever the bytes do.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "toolchain/simulator/simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware::simulator;
    using cuffware::fuzz::Check;
    if (size < 2)
        return 0;
    Options options;
    options.cycleLimit = 5000;
    options.model = static_cast<Model>(data[0] & 3);
    options.stackMode = data[0] & 4 ? StackMode::kMinimum : StackMode::kMaximum;
    const std::vector<uint8_t> code(data + 1, data + size);
    Simulator simulator(options);
    simulator.Load(ProgramFromImage(code, 0x1000));
    simulator.Load(ProgramFromImage(code, 0x18000));
    simulator.registers().sp = 0x2000;
    simulator.registers().sc = static_cast<uint8_t>(data[0] & 0xC0);
    simulator.RequestInterrupt(0x10, data[0] >> 3 & 3, 100);
    const StopReport report = simulator.Call(0x1000);
    constexpr uint64_t kLongestStep = 13 + 5;
    Check(report.cycles + report.idleCycles <= options.cycleLimit + kLongestStep,
          "the cycle limit holds");
    Check(report.reason != StopReason::kCycleLimit ||
              report.cycles + report.idleCycles >= options.cycleLimit,
          "a cycle-limit stop only at the limit");
    return 0;
}
