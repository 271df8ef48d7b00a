#pragma once
// The About box's texts.

#include <string>

#include "platform/program_version.h"

namespace cuffware {

inline constexpr const char* kAboutDescription = "Creates build scripts for q740 cuffwares.";
inline constexpr const char* kAboutDisclaimer =
    "Copyright (c) 2002 Cuffware Builder developers. All rights reserved.";
inline constexpr const char* kSystemInfoCaption = "&System Info...";

}  // namespace cuffware
