// Random byte streams as programs: whatever they do, the run ends with a
// stop, within the cycle limit (plus the one step that crossed it).
#include <gtest/gtest.h>

#include <random>

#include "simulated.h"

namespace cuffware::simulator {
namespace {

// The most one step adds: the dearest instruction (DIV, 13) and an exception
// entry, or a stub's return.
constexpr uint64_t kLongestStep = 13 + 5;

TEST(RandomStreams, EveryRunStopsWithinTheCycleLimit) {
    std::mt19937 random(88);
    for (int run = 0; run < 300; ++run) {
        std::vector<uint8_t> code(512);
        for (uint8_t& byte : code)
            byte = static_cast<uint8_t>(random());
        Options options;
        options.cycleLimit = 20000;
        options.model = static_cast<Model>(run % 4);
        options.stackMode = run % 8 < 4 ? StackMode::kMaximum : StackMode::kMinimum;
        Simulator simulator = testing::WithCode(0x1000, code, options);
        simulator.Load(ProgramFromImage(code, 0x18000));
        testing::Poke(simulator, 0x0000, {0x00, 0x10, 0x10, 0x10, 0x20, 0x10});
        simulator.registers().sc = static_cast<uint8_t>(random());
        simulator.RequestInterrupt(static_cast<uint8_t>(random()), run % 4,
                                   static_cast<uint64_t>(random() % 5000));
        const StopReport report = simulator.Call(0x1000 + static_cast<uint32_t>(run % 64));
        EXPECT_LE(report.cycles + report.idleCycles, options.cycleLimit + kLongestStep);
        if (report.reason == StopReason::kCycleLimit) {
            EXPECT_GE(report.cycles + report.idleCycles, options.cycleLimit);
        }
    }
}

}  // namespace
}  // namespace cuffware::simulator
