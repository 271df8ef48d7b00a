#pragma once
// A macro body line with its parameters replaced by the arguments.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cuffware::toolchain {

// text with each parameter, as a whole word (letters, digits and _ that do
// not start with a digit), replaced by the argument of the same place;
// names compared in case only when caseSensitive. nullopt when the result
// grows longer than maxLength.
std::optional<std::string> SubstituteParameters(std::string_view text,
                                                const std::vector<std::string>& parameters,
                                                const std::vector<std::string>& arguments,
                                                bool caseSensitive, size_t maxLength);

}  // namespace cuffware::toolchain
