#pragma once
// A ProcessStarter that records what would have been started.

#include <string>
#include <vector>

#include "platform/process.h"

namespace cuffware::testing {

class RecordingProcesses : public ProcessStarter {
  public:
    Status StartBatch(const std::string& batchPathText) override;
    Result<int> RunBatch(const std::string& batchPathText) override;
    Status StartCommandLine(const std::string& commandLine) override;
    Result<int> RunCommandLine(const std::string& commandLine) override;

    std::vector<std::string> started;  // "batch PATH" or "command LINE"
    // When set, every start fails with this reason.
    std::string failWith;
    int exitStatus = 0;
};

}  // namespace cuffware::testing
