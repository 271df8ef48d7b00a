// Any text as an object of as88 or a linked file of lk88: reading it never
// fails on the bytes themselves; what reads writes back the same, and the
// linker and the locator take it without faults, every field they fill
// inside its section.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "toolchain/linker/linker.h"
#include "toolchain/locator/locator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::toolchain;
    using namespace cuffware::fuzz;
    for (ModuleStage stage : {ModuleStage::kObject, ModuleStage::kLinked}) {
        Result<ObjectModule> module = ParseModule(Text(data, size), stage, "t.obj");
        if (!module.ok()) {
            Check(!module.error().message.empty(), "a refusal says why");
            continue;
        }
        std::string text = FormatModule(*module, stage);
        Result<ObjectModule> again = ParseModule(text, stage, "t.obj");
        Check(again.ok() && FormatModule(*again, stage) == text, "what reads writes back the same");
        Result<ObjectModule> linked = Link({{"t.obj", *module}});
        if (!linked.ok())
            continue;
        std::vector<size_t> sizes;
        for (const Section& section : linked->sections)
            sizes.push_back(section.bytes.size());
        Result<ObjectModule> located = Locate(*linked, "t.out");
        if (!located.ok()) {
            Check(!located.error().message.empty(), "a refusal says why");
            continue;
        }
        for (size_t i = 0; i < sizes.size(); ++i) {
            Check(located->sections[i].bytes.size() == sizes[i], "filling keeps a section's size");
            Check(located->sections[i].address.has_value(), "every section is placed");
            Check(located->sections[i].relocations.empty(), "every field is filled");
        }
    }
    return 0;
}
