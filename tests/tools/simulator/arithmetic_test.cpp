// ADD, ADC, SUB, SBC, CP and NEG over every operand pair and carry in, in
// the four combinations of D and U, against a reference written from the
// rules of the instruction semantics (binary, unpack, BCD), executed as
// real instructions.
#include <gtest/gtest.h>

#include "simulated.h"

namespace cuffware::simulator {
namespace {

struct Expected {
    uint8_t value;
    bool z, c, v, n;
};

int Dec(int packed) {
    return (packed >> 4) * 10 + (packed & 0x0F);
}

int Bcd(int value) {
    return (value / 10) << 4 | value % 10;
}

bool ValidBcd(int x) {
    return (x & 0x0F) <= 9 && (x >> 4) <= 9;
}

// Invalid digits: each digit from the low one as a 5-bit sum or difference;
// above 9 carries and is adjusted by 6.
Expected DigitSerial(int a, int b, int carry, bool subtract, int digits) {
    int result = 0;
    for (int d = 0; d < digits; ++d) {
        int t = (subtract ? (a >> 4 * d & 15) - (b >> 4 * d & 15) - carry
                          : (a >> 4 * d & 15) + (b >> 4 * d & 15) + carry) &
                31;
        carry = t > 9;
        if (carry)
            t = subtract ? t - 6 : t + 6;
        result |= (t & 15) << 4 * d;
    }
    return {static_cast<uint8_t>(result), result == 0, carry != 0, false, false};
}

Expected Reference(int a, int b, int c, bool subtract, bool d, bool u) {
    if (!d && !u) {
        const int r = (subtract ? a - b - c : a + b + c) & 0xFF;
        const bool carry = subtract ? a < b + c : a + b + c > 0xFF;
        const bool overflow = subtract ? ((a ^ b) & (a ^ r) & 0x80) : ((a ^ r) & (b ^ r) & 0x80);
        return {static_cast<uint8_t>(r), r == 0, carry, overflow, (r & 0x80) != 0};
    }
    if (!d) {
        const int a4 = a & 15, b4 = b & 15;
        const int r4 = (subtract ? a4 - b4 - c : a4 + b4 + c) & 15;
        const bool carry = subtract ? a4 < b4 + c : a4 + b4 + c > 15;
        const bool overflow = subtract ? ((a4 ^ b4) & (a4 ^ r4) & 8) : ((a4 ^ r4) & (b4 ^ r4) & 8);
        return {static_cast<uint8_t>(r4), r4 == 0, carry, overflow, (r4 & 8) != 0};
    }
    if (!u) {
        if (!ValidBcd(a) || !ValidBcd(b))
            return DigitSerial(a, b, c, subtract, 2);
        const int sum = subtract ? Dec(a) - Dec(b) - c : Dec(a) + Dec(b) + c;
        const int r = Bcd(((sum % 100) + 100) % 100);
        return {static_cast<uint8_t>(r), r == 0, subtract ? sum < 0 : sum >= 100, false, false};
    }
    const int x = a & 15, y = b & 15;
    if (x > 9 || y > 9)
        return DigitSerial(x, y, c, subtract, 1);
    const int sum = subtract ? x - y - c : x + y + c;
    const int digit = ((sum % 10) + 10) % 10;
    return {static_cast<uint8_t>(digit), digit == 0, subtract ? sum < 0 : sum >= 10, false, false};
}

uint8_t FlagsOf(const Expected& e) {
    return static_cast<uint8_t>((e.z ? kFlagZ : 0) | (e.c ? kFlagC : 0) | (e.v ? kFlagV : 0) |
                                (e.n ? kFlagN : 0));
}

struct Case {
    const char* name;
    uint8_t code;  // op A,B
    bool subtract, withCarry, stores;
    bool honoursModes;
};

constexpr Case kCases[] = {
    {"ADD A,B", 0x01, false, false, true, true}, {"ADC A,B", 0x09, false, true, true, true},
    {"SUB A,B", 0x11, true, false, true, true},  {"SBC A,B", 0x19, true, true, true, true},
    {"CP A,B", 0x31, true, false, false, false},
};

class ArithmeticModes : public ::testing::TestWithParam<int> {};

TEST_P(ArithmeticModes, EveryPairAndCarryMatchesTheReference) {
    const bool d = GetParam() & 1, u = GetParam() & 2;
    const uint8_t mode = static_cast<uint8_t>((d ? kFlagD : 0) | (u ? kFlagU : 0));
    for (const Case& op : kCases) {
        Simulator simulator = testing::WithCode(0x1000, {op.code});
        Registers& r = simulator.registers();
        int mismatches = 0;
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                for (int c = 0; c < 2; ++c) {
                    r.pc = 0x1000;
                    r.a = static_cast<uint8_t>(a);
                    r.b = static_cast<uint8_t>(b);
                    r.sc = static_cast<uint8_t>(mode | (c ? kFlagC : 0));
                    ASSERT_FALSE(simulator.Step().has_value());
                    const bool modes = op.honoursModes;
                    const Expected e =
                        Reference(a, b, op.withCarry ? c : 0, op.subtract, modes && d, modes && u);
                    const uint8_t value = op.stores ? e.value : static_cast<uint8_t>(a);
                    if ((r.a != value || r.sc != (mode | FlagsOf(e))) && ++mismatches <= 5)
                        ADD_FAILURE()
                            << op.name << " a=" << a << " b=" << b << " c=" << c
                            << " gives A=" << int(r.a) << " SC=" << int(r.sc)
                            << ", expected A=" << int(value) << " SC=" << int(mode | FlagsOf(e));
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << op.name;
    }
}

TEST_P(ArithmeticModes, NegIsZeroMinusTheOperand) {
    const bool d = GetParam() & 1, u = GetParam() & 2;
    const uint8_t mode = static_cast<uint8_t>((d ? kFlagD : 0) | (u ? kFlagU : 0));
    Simulator simulator = testing::WithCode(0x1000, {0xCE, 0xA4});  // NEG A
    Registers& r = simulator.registers();
    for (int x = 0; x < 256; ++x) {
        for (int c = 0; c < 2; ++c) {
            r.pc = 0x1000;
            r.a = static_cast<uint8_t>(x);
            r.sc = static_cast<uint8_t>(mode | (c ? kFlagC : 0));
            ASSERT_FALSE(simulator.Step().has_value());
            const Expected e = Reference(0, x, 0, true, d, u);
            ASSERT_EQ(r.a, e.value) << "x=" << x;
            ASSERT_EQ(r.sc, mode | FlagsOf(e)) << "x=" << x << " c=" << c;
        }
    }
}

std::string ModeName(const ::testing::TestParamInfo<int>& info) {
    static const char* kNames[] = {"Binary", "Decimal", "Unpack", "DecimalUnpack"};
    return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(DecimalUnpack, ArithmeticModes, ::testing::Values(0, 1, 2, 3), ModeName);

TEST(Arithmetic, MemoryDestinationHonoursUnpack) {
    // ADD [HL],A: the high nibble of the memory byte is cleared too.
    Simulator simulator = testing::WithCode(0x1000, {0xCE, 0x04});
    Registers& r = simulator.registers();
    testing::Poke(simulator, 0x3000, {0x7E});
    Set(r, Register::kHL, 0x3000);
    r.a = 0x13;
    r.sc = kFlagU;
    r.pc = 0x1000;
    ASSERT_FALSE(simulator.Step().has_value());
    EXPECT_EQ(simulator.ReadMemory(0x3000), 0x01);
    EXPECT_EQ(r.sc, kFlagU | kFlagC);
}

}  // namespace
}  // namespace cuffware::simulator
