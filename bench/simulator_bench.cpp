// How many instructions a second the simulator runs: a loop of loads,
// arithmetic, stores, indexed access, DJR, a call and a return, as a
// watch routine's inner loop looks, run to the cycle limit with the
// default report (trace ring, stack checks) switched on.
#include <benchmark/benchmark.h>

#include <vector>

#include "toolchain/simulator/simulator.h"

namespace {

using namespace cuffware::simulator;

const std::vector<uint8_t> kLoop = {
    0xB1, 0x00,        // 1000 LD B,#00
    0x45,              // 1002 LD A,[HL]
    0x02, 0x03,        // 1003 ADD A,#03
    0x68,              // 1005 LD [HL],A
    0x80,              // 1006 INC A
    0xCE, 0x40, 0x05,  // 1007 LD A,[IX+5]
    0xF5, 0xF7,        // 100A DJR NZ,1002
    0xF0, 0x03,        // 100C CARS 1010
    0xF1, 0xF1,        // 100E JRS 1000
    0xA0,              // 1010 PUSH BA
    0xA8,              // 1011 POP BA
    0xF8,              // 1012 RET
};

void BM_SimulatorLoop(benchmark::State& state) {
    uint64_t instructions = 0;
    for (auto _ : state) {
        Options options;
        options.cycleLimit = 20'000'000;
        Simulator simulator(options);
        simulator.Load(ProgramFromImage(kLoop, 0x1000));
        simulator.SetMemory(0x3000, std::vector<uint8_t>(16, 0));
        Registers& r = simulator.registers();
        r.sp = 0x2000;
        Set(r, Register::kHL, 0x3000);
        r.ix = 0x3000;
        const StopReport report = simulator.Call(0x1000);
        benchmark::DoNotOptimize(report.registers.a);
        instructions += report.instructions;
    }
    state.SetItemsProcessed(static_cast<int64_t>(instructions));
}
BENCHMARK(BM_SimulatorLoop)->Unit(benchmark::kMillisecond);

}  // namespace
