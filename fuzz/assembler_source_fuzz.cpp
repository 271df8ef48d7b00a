// Any text as an assembler source, read line by line: the assembler never
// fails on the bytes themselves, each refusal names the source and says why,
// no more than the limit of them are reported,
// and an object it writes reads back as the same object. An INCLUDE of
// "self" reads the input again, so nesting is reached too.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "toolchain/assembler/assembler.h"

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
    AssemblyReport report = AssembleReporting("t.asm", read, true);
    Check(report.errors <= kMaxReportedErrors, "at most the limit of errors is reported");
    Check(report.assembly.has_value() == (report.errors == 0), "an object only without errors");
    for (const SourceMessage& message : report.messages) {
        Check(!message.reason.empty(), "a refusal says why");
        Check(message.file == "t.asm" || message.file == "self",
              "a refusal names a file that was read");
    }
    if (!report.assembly)
        return 0;
    const Assembly* assembly = &*report.assembly;
    const ObjectModule& module = assembly->module;
    Check(!module.sections.empty(), "an object has a section");
    std::string text = FormatModule(module, ModuleStage::kObject);
    Result<ObjectModule> again = ParseModule(text, ModuleStage::kObject, "t.obj");
    Check(again.ok(), "the object reads back");
    Check(FormatModule(*again, ModuleStage::kObject) == text, "and is the same object");
    return 0;
}
