#include "toolchain/programs/output_guard.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace cuffware::toolchain {

namespace {

// A host path and, once asked for, its weakly canonical form: each output
// is compared with every input, and the form costs a look at each component.
class ComparedPath {
  public:
    explicit ComparedPath(std::string hostPath) : hostPath_(std::move(hostPath)) {}

    bool SameFileAs(ComparedPath& other) {
        std::error_code error;
        if (std::filesystem::equivalent(hostPath_, other.hostPath_, error) && !error)
            return true;
        const std::optional<std::filesystem::path>& first = Canonical();
        if (!first)
            return false;
        const std::optional<std::filesystem::path>& second = other.Canonical();
        return second && *first == *second;
    }

  private:
    // Nothing when the form cannot be found.
    const std::optional<std::filesystem::path>& Canonical() {
        if (!canonical_) {
            std::error_code error;
            std::filesystem::path form = std::filesystem::weakly_canonical(hostPath_, error);
            canonical_ = error ? std::nullopt : std::optional(form);
        }
        return *canonical_;
    }

    std::string hostPath_;
    std::optional<std::optional<std::filesystem::path>> canonical_;
};

std::vector<ComparedPath> HostPaths(const ToolContext& context,
                                    std::span<const std::string> texts) {
    std::vector<ComparedPath> paths;
    for (const std::string& text : texts)
        paths.emplace_back(ToolPath(context, text));
    return paths;
}

}  // namespace

Status RefuseInputsAsOutputs(const ToolContext& context, std::span<const std::string> inputs,
                             std::span<const std::string> outputs) {
    std::vector<ComparedPath> inputPaths = HostPaths(context, inputs);
    std::vector<ComparedPath> outputPaths = HostPaths(context, outputs);
    for (size_t o = 0; o < outputs.size(); ++o) {
        for (size_t i = 0; i < inputs.size(); ++i) {
            if (outputs[o] == inputs[i] || outputPaths[o].SameFileAs(inputPaths[i]))
                return Diagnostic{outputs[o], 0,
                                  "is an input of this run and would be written over; nothing "
                                  "was deleted or written"};
        }
    }
    return Status::Ok();
}

}  // namespace cuffware::toolchain
