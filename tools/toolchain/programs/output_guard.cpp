#include "toolchain/programs/output_guard.h"

#include <filesystem>
#include <system_error>

namespace cuffware::toolchain {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error) && !error)
        return true;
    std::filesystem::path first = std::filesystem::weakly_canonical(a, error);
    if (error)
        return false;
    std::filesystem::path second = std::filesystem::weakly_canonical(b, error);
    return !error && first == second;
}

}  // namespace

Status RefuseInputsAsOutputs(const ToolContext& context, std::span<const std::string> inputs,
                             std::span<const std::string> outputs) {
    for (const std::string& output : outputs) {
        for (const std::string& input : inputs) {
            if (output == input || SameFile(ToolPath(context, output), ToolPath(context, input)))
                return Diagnostic{output, 0,
                                  "is an input of this run and would be written over; nothing "
                                  "was deleted or written"};
        }
    }
    return Status::Ok();
}

}  // namespace cuffware::toolchain
