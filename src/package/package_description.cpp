#include "package/package_description.h"

#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

void UsageSkeleton(TextFile& file) {
    file.Line("Usage:");
    file.Line("------");
    file.Line();
    file.Line(" Default State:");
    file.Line(" --------------");
    file.Line();
    file.Line(" << default state overview >>");
    file.Line();
    file.Line("  Switches:");
    file.Line();
    file.Line("   MODE        - ");
    file.Line("   START/SPLIT - ");
    file.Line("   STOP/RESET  - ");
    file.Line("   CROWN-SET   - ");
    file.Line();
    file.Line();
    file.Line(" Set State:");
    file.Line(" ----------");
    file.Line();
    file.Line(" << set  state overview >>");
    file.Line();
    file.Line("  Switches:");
    file.Line();
    file.Line("   MODE         - ");
    file.Line("   STOP/RESET   - ");
    file.Line("   CROWN-CW/CCW - ");
    file.Line("   CROWN-HOME   - ");
    file.Line("  ");
    file.Line();
}

}  // namespace

std::string FileLine(std::string_view name, std::string_view text) {
    std::string line(1 + kFileLineNameWidth, ' ');
    const std::string column = ToUpperAscii(name.substr(0, kFileLineNameWidth));
    line.replace(1, column.size(), column);
    return line.append(text);
}

GeneratedFile ComposeDescriptionFile(const ProjectRecord& project) {
    const std::string folder = Trimmed(project.FolderName);
    const std::string ver3 = Ver3(project.VersionRequired);
    const std::string pcInterface = Trimmed(project.PCInterface);

    TextFile file;
    file.Line("Cuffware: " + ToUpperAscii(Trimmed(project.ApplicationName)));
    file.Line(std::string(80, '='));
    file.Line();
    file.Line("Description:");
    file.Line("------------");
    file.Line();
    file.Line("  " + Trimmed(project.Description));
    file.Line();
    file.Line(" << cuffware overview >>");
    file.Line();
    file.Line();
    UsageSkeleton(file);
    file.Line("Files:");
    file.Line("------");
    file.Line();
    file.Line(FileLine(DescriptorName(folder), "- application info"));
    file.Line(FileLine(DescriptionName(folder), "- application description (this file)"));
    file.Line(FileLine(ImageFileName(folder, kParameterImageKind, ver3),
                       "- application initialization parameter list"));
    file.Line(FileLine(ImageFileName(folder, kCodeImageKind, ver3), "- application code"));
    if (project.DatabaseSupport == 1)
        file.Line(FileLine(ImageFileName(folder, kDatabaseImageKind, ver3), "- database file"));
    if (!pcInterface.empty())
        file.Line(FileLine(pcInterface, "- PC Interface"));
    file.Line();
    file.Line();
    return {BuildDirectoryFile(project, DescriptionName(folder)), file.Text()};
}

}  // namespace cuffware
