#pragma once
// The SDK's own header files, in the order every section source includes
// them. The list is part of the builder, not read from an SDK.

#include <span>
#include <string_view>

namespace cuffware {

struct SdkHeaderGroup {
    std::string_view module;
    std::span<const std::string_view> headers;
};

// The twelve groups in include order.
std::span<const SdkHeaderGroup> SdkHeaderGroups();

// All 54 names in include order.
std::span<const std::string_view> SdkHeaderNames();

}  // namespace cuffware
