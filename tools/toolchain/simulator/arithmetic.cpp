#include "toolchain/simulator/arithmetic.h"

#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator {

namespace {

uint8_t Flag(bool set, uint8_t bit) {
    return set ? bit : 0;
}

ByteResult Binary(uint8_t a, uint8_t b, int carry, bool subtract) {
    const int full = subtract ? a - b - carry : a + b + carry;
    const uint8_t r = static_cast<uint8_t>(full);
    const bool carryOut = subtract ? a < b + carry : full > 0xFF;
    const int overflow = subtract ? (a ^ b) & (a ^ r) : (a ^ r) & (b ^ r);
    return {r, static_cast<uint8_t>(Flag(r == 0, kFlagZ) | Flag(carryOut, kFlagC) |
                                    Flag(overflow & 0x80, kFlagV) | Flag(r & 0x80, kFlagN))};
}

ByteResult Unpacked(uint8_t a, uint8_t b, int carry, bool subtract) {
    const int a4 = a & 0x0F, b4 = b & 0x0F;
    const int full = subtract ? a4 - b4 - carry : a4 + b4 + carry;
    const uint8_t r = static_cast<uint8_t>(full & 0x0F);
    const bool carryOut = subtract ? a4 < b4 + carry : full > 0x0F;
    const int overflow = subtract ? (a4 ^ b4) & (a4 ^ r) : (a4 ^ r) & (b4 ^ r);
    return {r, static_cast<uint8_t>(Flag(r == 0, kFlagZ) | Flag(carryOut, kFlagC) |
                                    Flag(overflow & 0x08, kFlagV) | Flag(r & 0x08, kFlagN))};
}

// Digit by digit from the low one; a digit sum (or difference, as a 5-bit
// value) above 9 carries and is adjusted by 6, which also gives a defined
// result for the digits A-F.
ByteResult Decimal(uint8_t a, uint8_t b, int carry, bool subtract, int digits) {
    uint8_t r = 0;
    for (int digit = 0; digit < digits; ++digit) {
        const int shift = 4 * digit;
        const int x = a >> shift & 0x0F, y = b >> shift & 0x0F;
        const int t = (subtract ? x - y - carry : x + y + carry) & 0x1F;
        carry = t > 9 ? 1 : 0;
        const int adjusted = carry ? (subtract ? t - 6 : t + 6) : t;
        r = static_cast<uint8_t>(r | (adjusted & 0x0F) << shift);
    }
    return {r, static_cast<uint8_t>(Flag(r == 0, kFlagZ) | Flag(carry, kFlagC))};
}

}  // namespace

ByteResult Arithmetic8(uint8_t a, uint8_t b, bool carry, bool subtract, bool decimal, bool unpack) {
    if (decimal)
        return Decimal(a, b, carry, subtract, unpack ? 1 : 2);
    if (unpack)
        return Unpacked(a, b, carry, subtract);
    return Binary(a, b, carry, subtract);
}

WordResult Arithmetic16(uint16_t a, uint16_t b, bool carry, bool subtract) {
    const int c = carry ? 1 : 0;
    const int full = subtract ? a - b - c : a + b + c;
    const uint16_t r = static_cast<uint16_t>(full);
    const bool carryOut = subtract ? a < b + c : full > 0xFFFF;
    const int overflow = subtract ? (a ^ b) & (a ^ r) : (a ^ r) & (b ^ r);
    return {r, static_cast<uint8_t>(Flag(r == 0, kFlagZ) | Flag(carryOut, kFlagC) |
                                    Flag(overflow & 0x8000, kFlagV) | Flag(r & 0x8000, kFlagN))};
}

uint8_t ZeroNegative8(uint8_t value) {
    return static_cast<uint8_t>(Flag(value == 0, kFlagZ) | Flag(value & 0x80, kFlagN));
}

}  // namespace cuffware::simulator
