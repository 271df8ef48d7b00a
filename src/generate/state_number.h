#pragma once
// A state number as the build batch holds it: one byte, 0 to 254. The only
// way to make one is Of(), so the batch writer never sees a value outside
// that range.

#include <optional>

namespace cuffware {

class StateNumber {
  public:
    static constexpr int kHighest = 254;

    // The state number n, or nothing when n is outside 0..254.
    static constexpr std::optional<StateNumber> Of(int n) {
        if (n < 0 || n > kHighest)
            return std::nullopt;
        return StateNumber(n);
    }

    constexpr int value() const { return value_; }

  private:
    constexpr explicit StateNumber(int n) : value_(n) {}
    int value_;
};

}  // namespace cuffware
