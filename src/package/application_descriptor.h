#pragma once
// The application descriptor (<folder>.app): the package's image names with
// the application's texts and options, the file the downloader is started on.

#include "project/build_files.h"
#include "project/project_record.h"

namespace cuffware {

// Build directory + "\" + folder name + ".app", ten key=value lines under
// "[Cuffware]". The folder name keeps its case in the file name; the image
// names inside are lower case.
GeneratedFile ComposeApplicationDescriptor(const ProjectRecord& project);

}  // namespace cuffware
