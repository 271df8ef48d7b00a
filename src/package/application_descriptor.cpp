#include "package/application_descriptor.h"

#include <string>

#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware {

GeneratedFile ComposeApplicationDescriptor(const ProjectRecord& project) {
    const std::string folder = Trimmed(project.FolderName);
    const std::string ver3 = Ver3(project.VersionRequired);
    auto imageName = [&](std::string_view kind) {
        return ImageFileName(ToLowerAscii(folder), kind, ver3);
    };

    TextFile file;
    file.Line("[Cuffware]");
    file.Line("Name=" + Trimmed(project.ApplicationName));
    file.Line("Description=" + Trimmed(project.Description));
    file.Line("Line1=" + Trimmed(project.BannerLine1));
    file.Line("Line2=" + Trimmed(project.BannerLine2));
    file.Line("Version Required=" + ver3);
    file.Line("PAR=" + imageName(kParameterImageKind));
    file.Line("CODE=" + imageName(kCodeImageKind));
    file.Line("DB=" +
              (project.DatabaseSupport == 0 ? std::string() : imageName(kDatabaseImageKind)));
    file.Line(std::string("Password Support=") + (project.PasswordSupport == 1 ? "YES" : ""));
    file.Line("App Interface=" + Trimmed(project.PCInterface));
    return {BuildDirectoryFile(project, DescriptorName(folder)), file.Text()};
}

}  // namespace cuffware
