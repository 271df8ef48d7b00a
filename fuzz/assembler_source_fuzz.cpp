// Any text as an assembler source, read line by line: the assembler never
// fails on the bytes themselves, a refusal names the source and says why,
// and an object it writes reads back as the same object. An INCLUDE of
// "self" reads the input again, so nesting is reached too.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "toolchain/assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::toolchain;
    using namespace cuffware::fuzz;
    std::string source(Text(data, size));
    SourceReader read = [&](const std::string& path) -> Result<std::string> {
        if (path == "t.asm" || path == "self")
            return source;
        return Diagnostic{path, 0, "not there"};
    };
    Result<Assembly> assembly = Assemble("t.asm", read, true);
    if (!assembly.ok()) {
        Check(!assembly.error().message.empty(), "a refusal says why");
        Check(assembly.error().path == "t.asm" || assembly.error().path == "self" ||
                  assembly.error().line == 0,
              "a refusal names a file that was read");
        return 0;
    }
    const ObjectModule& module = assembly->module;
    Check(!module.sections.empty(), "an object has a section");
    std::string text = FormatModule(module, ModuleStage::kObject);
    Result<ObjectModule> again = ParseModule(text, ModuleStage::kObject, "t.obj");
    Check(again.ok(), "the object reads back");
    Check(FormatModule(*again, ModuleStage::kObject) == text, "and is the same object");
    return 0;
}
