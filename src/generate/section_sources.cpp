#include "generate/section_sources.h"

#include <string>

#include "generate/builder_banner.h"
#include "generate/include_lists.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "project/build_files.h"
#include "project/file_tree.h"

namespace cuffware {

namespace {

constexpr std::string_view kRuleA =
    "    ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";
constexpr std::string_view kRuleB =
    "     ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;";

// Banner, assembler controls, the master header, the SDK list.
void OpenSource(TextFile& file, const ProjectRecord& project, std::string_view firstLine) {
    file.Line(firstLine);
    AppendAssemblerBanner(file, project);
    file.Line();
    file.Line("$CASE ON");
    file.Line("$LIST OFF");
    file.Line("    INCLUDE '" + JoinPath(Trimmed(project.IncludeDirectory), kSdkMainHeader) + "'");
}

void ApplicationHeaders(TextFile& file, const ProjectRecord& project) {
    file.Line();
    file.Line(kRuleA);
    file.Line("    ; WRIST APPLICATION SPECIFIC HEADER FILE");
    file.Line(kRuleA);
    file.Line();
    AppendHeaderIncludes(file, project);
    file.Line();
    file.Line(kRuleA);
    file.Line(kRuleA);
    file.Line();
    file.Line();
    file.Line("$LIST ON");
    file.Line();
}

// The frame shared by the state and parameter sources: the section starts
// where the common section ends, learnt from COMMINC.H.
GeneratedFile StateFrame(const ProjectRecord& project, std::string_view fileName,
                         std::string_view sourceComment, int16_t categoryNode) {
    const std::string upperName = ToUpperAscii(fileName);
    TextFile file;
    OpenSource(file, project, ";**FILE " + upperName);
    file.Line("    INCLUDE '" + BuildDirectoryFile(project, ToUpperAscii(kCommonHeaderName)) + "'");
    file.Line();
    AppendSdkIncludes(file, project);
    ApplicationHeaders(file, project);
    file.Line("CODESTATEADDRESS     equ     CommonCodeEnd");
    file.Line();
    file.Line("        DEFSECT \".text\", CODE AT CODESTATEADDRESS");
    file.Line("        SECT    \".text\"");
    file.Line();
    file.Line(kRuleB);
    file.Line("     ;");
    file.Line(sourceComment);
    file.Line("     ;");
    file.Line(kRuleB);
    file.Line();
    AppendCategoryIncludes(file, project, categoryNode);
    file.Line();
    file.Line(kRuleB);
    file.Line(kRuleB);
    file.Line();
    file.Line(";**END FILE " + upperName);
    return {BuildDirectoryFile(project, fileName), file.Text()};
}

}  // namespace

GeneratedFile ComposeCommonSource(const ProjectRecord& project) {
    TextFile file;
    OpenSource(file, project, ";**FILE COMMON.ASM");
    AppendSdkIncludes(file, project);
    ApplicationHeaders(file, project);
    file.Line("        DEFSECT \".text\", CODE AT COREHEAPEEPROMOVERLAYADDRESS");
    file.Line("        SECT    \".text\" ");
    file.Line();
    file.Line("        GLOBAL      CODECOMMONADDRESS");
    file.Line("CODECOMMONADDRESS:");
    file.Line();
    file.Line(kRuleB);
    file.Line("     ;");
    file.Line("     ; CUFFWARE SOURCE FILES TO BE IN THE COMMON SECTION");
    file.Line("     ; * Always have the Background Handler routine to be the first file");
    file.Line("     ;");
    file.Line(kRuleB);
    file.Line();
    AppendBackgroundIncludes(file, project);
    AppendCommonIncludes(file, project);
    file.Line();
    file.Line(kRuleA);
    file.Line(kRuleA);
    file.Line();
    file.Line("        GLOBAL      CommonCodeEnd");
    file.Line("CommonCodeEnd:");
    file.Line();
    file.Line("        GLOBAL      CommonCodeSize");
    file.Line("CommonCodeSize      equ     (CommonCodeEnd - CODECOMMONADDRESS)");
    file.Line();
    file.Line(";**END FILE COMMON.ASM");
    return {BuildDirectoryFile(project, SourceName(kCommonSection)), file.Text()};
}

GeneratedFile ComposeStateSource(const ProjectRecord& project, int16_t categoryNode) {
    const std::string name = SourceName(StateSection(categoryNode - kFirstStateNode));
    return StateFrame(project, name, "     ; ADD CUFFWARE SOURCE FILE TO BE IN THE STATE CODE",
                      categoryNode);
}

GeneratedFile ComposeParameterSource(const ProjectRecord& project) {
    return StateFrame(project, SourceName(kParameterSection), "     ; ADD CUFFWARE PARAMETER FILE",
                      kParameterNode);
}

}  // namespace cuffware
