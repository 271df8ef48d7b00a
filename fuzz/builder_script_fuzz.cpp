// A builder script as anyone may have edited it, restored into trees of a few
// shapes: either it is refused with its line, or the project it gives is
// saved and restored again to the same text.

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "project/builder_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::fuzz;
    if (size == 0)
        return 0;
    // The first byte picks the number of states the builder runs with.
    constexpr int16_t kShapes[] = {0, 1, 3, 15, 254};
    ToolSettings settings = DefaultToolSettings();
    settings.NumberOfStates = kShapes[data[0] % std::size(kShapes)];
    const std::string_view text = Text(data + 1, size - 1);

    Result<ProjectRecord> project = ParseBuilderScript(text, "fuzz.scr", settings);
    if (!project) {
        const int line = project.error().line;
        Check(line >= 1, "a refusal names a line");
        Check(!project.error().message.empty(), "a refusal says why");
        return 0;
    }
    Check(project->Files.NumberOfStates() == settings.NumberOfStates,
          "the tree has the settings' shape");
    Check(project->PasswordSupport == 0 || project->PasswordSupport == 1, "flags are 0 or 1");
    Check(project->DatabaseSupport == 0 || project->DatabaseSupport == 1, "flags are 0 or 1");

    const std::string saved = BuilderScriptText(*project);
    Result<ProjectRecord> again = ParseBuilderScript(saved, "fuzz.scr", settings);
    Check(again.ok(), "a saved script restores");
    Check(BuilderScriptText(*again) == saved, "save and restore are stable");
    return 0;
}
