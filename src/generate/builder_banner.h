#pragma once
// The comment block that opens every generated source and batch file.

#include <string_view>

#include "platform/text_file.h"
#include "project/project_record.h"

namespace cuffware {

// The rights notice on the banner's fifth line.
inline constexpr std::string_view kRightsNotice =
    "Copyright (c) 2002 Cuffware Builder developers. All rights reserved.";

// Appends the eleven banner lines in the assembler style (";").
void AppendAssemblerBanner(TextFile& file, const ProjectRecord& project);

// Appends the eleven banner lines in the batch style ("REM").
void AppendBatchBanner(TextFile& file, const ProjectRecord& project);

}  // namespace cuffware
