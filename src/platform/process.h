#pragma once
// Starting the outside programs: the build batch and the downloader.

#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"

namespace cuffware {

// Variables a started program gets on top of the environment it inherits,
// as name and value.
using ChildVariables = std::vector<std::pair<std::string, std::string>>;

class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;

    // Every program this starter starts from now on gets the variable, on
    // top of what it inherits (an empty value sets it empty); a second
    // call for the same name replaces the value. The program's own
    // environment stays as it is.
    void SetChildVariable(const std::string& name, const std::string& value) {
        for (auto& [existing, existingValue] : childVariables_)
            if (existing == name) {
                existingValue = value;
                return;
            }
        childVariables_.emplace_back(name, value);
    }
    // The programs started from now on no longer get the variable from us.
    void RemoveChildVariable(const std::string& name) {
        std::erase_if(childVariables_,
                      [&](const auto& variable) { return variable.first == name; });
    }
    const ChildVariables& childVariables() const { return childVariables_; }

    // Runs a batch file in a visible window of its own and returns at once.
    virtual Status StartBatch(const std::string& batchPathText) = 0;

    // Runs a batch file and waits; the result is its exit status.
    virtual Result<int> RunBatch(const std::string& batchPathText) = 0;

    // Starts a command line (program path text, a blank, arguments) in a
    // visible window and returns at once.
    virtual Status StartCommandLine(const std::string& commandLine) = 0;

    // Runs a command line and waits; the result is its exit status.
    virtual Result<int> RunCommandLine(const std::string& commandLine) = 0;

    // Starts a console program's command line in a window of its own that
    // shows what it prints, takes the focus and stays until the user closes
    // it; the window carries title. Where the host gives a console program
    // such a window itself (Windows), this is StartCommandLine.
    virtual Status StartConsoleCommandLine(const std::string& commandLine,
                                           const std::string& title) {
        (void)title;
        return StartCommandLine(commandLine);
    }

  private:
    ChildVariables childVariables_;
};

}  // namespace cuffware
