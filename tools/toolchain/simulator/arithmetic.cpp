#include "toolchain/simulator/arithmetic.h"

#include <utility>

#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator {

namespace {

uint8_t Flag(bool set, uint8_t bit) {
    return set ? bit : 0;
}

// Binary addition or subtraction at a width of 4, 8 or 16 bits: carry and
// overflow out of the top bit.
template <int kBits>
std::pair<unsigned, uint8_t> Binary(unsigned a, unsigned b, int carry, bool subtract) {
    constexpr unsigned kMask = (1u << kBits) - 1, kTop = 1u << (kBits - 1);
    a &= kMask;
    b &= kMask;
    const int full = subtract ? static_cast<int>(a) - static_cast<int>(b) - carry
                              : static_cast<int>(a + b) + carry;
    const unsigned r = static_cast<unsigned>(full) & kMask;
    const bool carryOut = subtract ? static_cast<int>(a) < static_cast<int>(b) + carry
                                   : full > static_cast<int>(kMask);
    const unsigned overflow = subtract ? (a ^ b) & (a ^ r) : (a ^ r) & (b ^ r);
    return {r, static_cast<uint8_t>(Flag(r == 0, kFlagZ) | Flag(carryOut, kFlagC) |
                                    Flag(overflow & kTop, kFlagV) | Flag(r & kTop, kFlagN))};
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
    const auto [value, flags] =
        unpack ? Binary<4>(a, b, carry, subtract) : Binary<8>(a, b, carry, subtract);
    return {static_cast<uint8_t>(value), flags};
}

WordResult Arithmetic16(uint16_t a, uint16_t b, bool carry, bool subtract) {
    const auto [value, flags] = Binary<16>(a, b, carry, subtract);
    return {static_cast<uint16_t>(value), flags};
}

uint8_t ZeroNegative8(uint8_t value) {
    return static_cast<uint8_t>(Flag(value == 0, kFlagZ) | Flag(value & 0x80, kFlagN));
}

}  // namespace cuffware::simulator
