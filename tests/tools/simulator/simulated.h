#pragma once
// A simulator holding a few bytes of code, for the tests: the code is the
// program, the stack is set, and single steps or a call run it.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator::testing {

inline Simulator WithCode(uint32_t address, std::vector<uint8_t> code, Options options = {}) {
    Simulator simulator(options);
    simulator.Load(ProgramFromImage(code, address));
    simulator.registers().sp = 0x2000;
    return simulator;
}

inline void Poke(Simulator& simulator, uint32_t address, std::initializer_list<uint8_t> bytes) {
    simulator.SetMemory(address, std::vector<uint8_t>(bytes));
}

}  // namespace cuffware::simulator::testing
