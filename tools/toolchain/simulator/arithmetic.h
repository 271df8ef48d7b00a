#pragma once
// The core's arithmetic as pure functions: the result and the four flags it
// sets (Z C V N in their SC bit positions), so the processor only merges
// them into SC.

#include <cstdint>

namespace cuffware::simulator {

struct ByteResult {
    uint8_t value;
    uint8_t flags;  // Z C V N bits
};

struct WordResult {
    uint16_t value;
    uint8_t flags;
};

// ADD/ADC (subtract false) and SUB/SBC/CP/NEG (subtract true) of 8 bits in
// the mode D and U select: binary, unpack (low nibbles, high nibble of the
// result 0), packed BCD, or one BCD digit. carry is the carry/borrow in.
ByteResult Arithmetic8(uint8_t a, uint8_t b, bool carry, bool subtract, bool decimal, bool unpack);

// The 16-bit forms: always binary.
WordResult Arithmetic16(uint16_t a, uint16_t b, bool carry, bool subtract);

// The flags a logic result sets: Z and N (C and V are left to the caller).
uint8_t ZeroNegative8(uint8_t value);

}  // namespace cuffware::simulator
