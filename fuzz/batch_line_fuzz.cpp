// Any line of a batch file, read as the batch runner reads it: the reading
// never fails on the line's bytes, and the command it gives is one the
// runner can carry out without looking further.

#include <cstddef>
#include <cstdint>

#include "batch/batch_command.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace cuffware;
    using namespace cuffware::batch;
    using namespace cuffware::fuzz;
    Result<BatchCommand> command = ParseBatchLine(Text(data, size));
    if (!command.ok()) {
        Check(!command.error().message.empty(), "a refusal says why");
        return 0;
    }
    for (const std::string& word : command->words) {
        Check(!word.empty(), "no empty word");
        Check(word.find('"') == std::string::npos, "quotes only group");
    }
    switch (command->kind) {
        case BatchCommand::kDelete:
            Check(!command->words.empty(), "del has a pattern");
            for (const std::string& word : command->words)
                Check(word.front() != '/', "switches are dropped");
            break;
        case BatchCommand::kCopy:
            Check(command->words.size() == 2, "copy has a source and a destination");
            break;
        case BatchCommand::kProgram:
            Check(!command->words.empty(), "a program line names the program");
            break;
        default:
            Check(command->words.empty(), "only del, copy and programs have words");
    }
    return 0;
}
