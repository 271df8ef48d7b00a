// The worked vectors (vectors.txt): the state before, the bytes, the state
// after one instruction.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "simulated.h"

namespace cuffware::simulator {
namespace {

using testing::Poke;

struct State {
    std::map<std::string, uint16_t> registers;
    std::map<uint32_t, uint8_t> memory;
};

struct Vector {
    std::string id, instruction;
    std::vector<uint8_t> bytes;
    State before, after;
};

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t at = line.find(" | "); at != std::string::npos; at = line.find(" | ", start)) {
        fields.push_back(line.substr(start, at - start));
        start = at + 3;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// "A=3A [00:2000]=FE [00:1FFE..1FFF]=34 12" (a range takes the bytes after it).
State ReadState(const std::string& text) {
    State state;
    std::istringstream words(text);
    std::string word;
    uint32_t next = 0;
    bool inRange = false;
    while (words >> word) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos) {
            if (inRange)
                state.memory[next++] = static_cast<uint8_t>(std::stoul(word, nullptr, 16));
            continue;
        }
        const std::string name = word.substr(0, equals);
        const unsigned long value = std::stoul(word.substr(equals + 1), nullptr, 16);
        inRange = false;
        if (name.front() == '[') {
            const uint32_t page = static_cast<uint32_t>(std::stoul(name.substr(1, 2), nullptr, 16));
            const uint32_t offset =
                static_cast<uint32_t>(std::stoul(name.substr(4, 4), nullptr, 16));
            next = page << 16 | offset;
            state.memory[next++] = static_cast<uint8_t>(value);
            inRange = name.find("..") != std::string::npos;
        } else {
            state.registers[name] = static_cast<uint16_t>(value);
        }
    }
    return state;
}

std::vector<Vector> ReadVectors() {
    std::ifstream file(SIMULATOR_TEST_DATA "/vectors.txt");
    std::vector<Vector> vectors;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields = Fields(line);
        if (fields.size() < 5)
            continue;
        Vector vector{fields[0], fields[1], {}, ReadState(fields[3]), ReadState(fields[4])};
        std::istringstream bytes(fields[2]);
        std::string byte;
        while (bytes >> byte && byte != "/")
            vector.bytes.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
        vectors.push_back(vector);
    }
    return vectors;
}

Registers Apply(Registers registers, const State& state) {
    for (const auto& [name, value] : state.registers)
        Set(registers, *RegisterNamed(name), value);
    return registers;
}

// The vectors' conventions: I1 = I0 = 0 and code in the common area unless given.
Registers VectorBase() {
    Registers registers;
    registers.sc = 0;
    registers.pc = 0x0400;
    return registers;
}

uint32_t CodeAddress(const Registers& r) {
    return r.pc < 0x8000 ? r.pc : static_cast<uint32_t>(r.cb) << 15 | (r.pc & 0x7FFF);
}

TEST(Vectors, EveryVectorGivesTheStateAfter) {
    const std::vector<Vector> vectors = ReadVectors();
    ASSERT_EQ(vectors.size(), 51u);
    for (const Vector& vector : vectors) {
        if (vector.id == "E30" || vector.id == "E51")
            continue;  // not register-exact: ZeroDivision and BankChange below
        SCOPED_TRACE(vector.id + " " + vector.instruction);
        const Registers before = Apply(VectorBase(), vector.before);
        Simulator simulator;
        simulator.Load(ProgramFromImage(vector.bytes, CodeAddress(before)));
        for (const auto& [address, value] : vector.before.memory)
            Poke(simulator, address, {value});
        simulator.registers() = before;
        EXPECT_FALSE(simulator.Step().has_value());

        Registers expected = Apply(before, vector.after);
        if (!vector.after.registers.contains("PC"))
            expected.pc = static_cast<uint16_t>(before.pc + vector.bytes.size());
        EXPECT_EQ(simulator.registers(), expected) << FormatStopReport(*simulator.Step());
        for (const auto& [address, value] : vector.after.memory)
            EXPECT_EQ(simulator.ReadMemory(address), value) << std::hex << address;
    }
}

TEST(Vectors, ZeroDivisionStacksAsInterruptEntryAndLeavesHlAndSc) {
    Simulator simulator = testing::WithCode(0x0400, {0xCE, 0xD9});
    Poke(simulator, 0x0002, {0x00, 0x05});
    Poke(simulator, 0x0500, {0xFF});
    Registers& r = simulator.registers();
    r.sc = 0;
    Set(r, Register::kHL, 0x1234);
    r.a = 0;
    r.pc = 0x0400;
    EXPECT_FALSE(simulator.Step().has_value());
    EXPECT_EQ(r.pc, 0x0500);
    EXPECT_EQ(r.sp, 0x1FFC);
    EXPECT_EQ(simulator.ReadMemory(0x1FFF), 0x01);  // CB
    EXPECT_EQ(simulator.ReadMemory(0x1FFE), 0x04);  // return address 0402
    EXPECT_EQ(simulator.ReadMemory(0x1FFD), 0x02);
    EXPECT_EQ(simulator.ReadMemory(0x1FFC), 0x00);  // SC before the exception
    EXPECT_EQ(r.hl(), 0x1234);
    EXPECT_EQ(r.sc, 0xC0);  // I1 I0 = 3 in the handler
    EXPECT_EQ(simulator.cycles(), 13u + 5u);
}

TEST(Vectors, BankChangeWaitsForTheBranch) {
    Simulator simulator;
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0xCE, 0xC4, 0x05, 0xF1, 0x10}, 0x10000));
    simulator.Load(ProgramFromImage(std::vector<uint8_t>{0xFF}, 0x28014));
    Registers& r = simulator.registers();
    r.pc = 0x8000;
    r.cb = r.nb = 0x02;
    simulator.registers().cb = 0x02;
    // Bank 2 at 8000 is physical 010000.
    EXPECT_FALSE(simulator.Step().has_value());
    EXPECT_EQ(r.nb, 0x05);
    EXPECT_EQ(r.cb, 0x02);
    EXPECT_EQ(r.pc, 0x8003);
    // A request pending now is not accepted between LD NB and the branch.
    Poke(simulator, 0x0010, {0x00, 0x06});
    simulator.RequestInterrupt(0x10, 3);
    r.sc = 0;
    EXPECT_FALSE(simulator.Step().has_value());
    EXPECT_EQ(r.pc, 0x8014);
    EXPECT_EQ(r.cb, 0x05);
    EXPECT_EQ(r.nb, 0x05);
    EXPECT_FALSE(simulator.Step().has_value());  // now the request is accepted
    EXPECT_EQ(r.pc, 0x0600);
}

}  // namespace
}  // namespace cuffware::simulator
