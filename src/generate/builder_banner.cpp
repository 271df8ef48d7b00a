#include "generate/builder_banner.h"

#include <string>

#include "platform/text_rules.h"

namespace cuffware {

namespace {

void AppendBanner(TextFile& file, std::string_view prefix, const ProjectRecord& project) {
    const std::string p(prefix);
    const std::string stars = p + " " + std::string(68, '*');
    file.Line();
    file.Line(stars);
    file.Line(p + " *");
    file.Line(p + " * Q740 CUFFWARE BUILDER");
    file.Line(p + " * " + std::string(kRightsNotice));
    file.Line(p + " * July 2002");
    file.Line(p + " *");
    file.Line(p + " * Cuffware: " + Trimmed(project.ApplicationName));
    file.Line(p + " *");
    file.Line(stars);
    file.Line();
}

}  // namespace

void AppendAssemblerBanner(TextFile& file, const ProjectRecord& project) {
    AppendBanner(file, ";", project);
}

void AppendBatchBanner(TextFile& file, const ProjectRecord& project) {
    AppendBanner(file, "REM", project);
}

}  // namespace cuffware
