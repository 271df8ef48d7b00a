#pragma once
// What every fuzz target shares: a failed property stops the run as a crash,
// with the reason on standard error, so libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace cuffware::fuzz {

inline void Check(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

inline std::string_view Text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace cuffware::fuzz
