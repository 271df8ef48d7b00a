#pragma once
// The status line's texts shared by several actions.

namespace cuffware {

inline constexpr const char* kStatusReady = "Ready";
inline constexpr const char* kStatusApplicationNotSpecified = "Application not specified";

}  // namespace cuffware
