#pragma once
// The INCLUDE lists that fill the section sources: the SDK header list and
// one list per file category.

#include <cstdint>

#include "platform/text_file.h"
#include "project/project_record.h"

namespace cuffware {

// An empty line, one INCLUDE per SDK header from the trimmed include
// directory, an empty line: 56 lines.
void AppendSdkIncludes(TextFile& file, const ProjectRecord& project);

// One INCLUDE per file of a category, in tree order, each path trimmed; an
// empty category writes nothing at all.
void AppendHeaderIncludes(TextFile& file, const ProjectRecord& project);
void AppendBackgroundIncludes(TextFile& file, const ProjectRecord& project);
void AppendCommonIncludes(TextFile& file, const ProjectRecord& project);

// The category with node number categoryNode: 6 + N for state N, 2 for the
// parameter category.
void AppendCategoryIncludes(TextFile& file, const ProjectRecord& project, int16_t categoryNode);

}  // namespace cuffware
