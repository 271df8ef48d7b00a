#pragma once
// The headless command's user: every status and message text on a line of
// its own; refusals and errors go to the error stream.

#include <ostream>

#include "platform/user_port.h"

namespace cuffware {

class PrintingUserPort : public UserPort {
  public:
    PrintingUserPort(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    // There is nobody to ask: the dialog counts as cancelled.
    std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;

    // While set, warnings (exclamation messages) go to the error stream too:
    // those of loading the settings are about the run, not its results.
    void SetWarningsToErrors(bool toErrors) { warningsToErrors_ = toErrors; }
    // The first refusal or error shown, its lines joined by a blank; empty
    // when there was none.
    const std::string& FirstProblem() const { return firstProblem_; }
    const std::string& LastStatus() const { return lastStatus_; }

  private:
    std::ostream& out_;
    std::ostream& err_;
    bool warningsToErrors_ = false;
    std::string firstProblem_;
    std::string lastStatus_;
};

}  // namespace cuffware
