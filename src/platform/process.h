#pragma once
// Starting the outside programs: the build batch and the downloader.

#include <string>

#include "platform/result.h"

namespace cuffware {

class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;

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
};

}  // namespace cuffware
