#include "app/command_line/printing_user_port.h"

#include <algorithm>

namespace cuffware {

void PrintingUserPort::SetStatus(const std::string& text) {
    out_ << text << '\n' << std::flush;
    lastStatus_ = text;
}

void PrintingUserPort::ShowMessage(const std::string& text, MessageIcon icon) {
    bool problem = icon == MessageIcon::Critical || icon == MessageIcon::None ||
                   (warningsToErrors_ && icon == MessageIcon::Exclamation);
    (problem ? err_ : out_) << text << '\n' << std::flush;
    // A warning about the settings is no answer to whether the action worked.
    if (problem && !warningsToErrors_ && firstProblem_.empty()) {
        firstProblem_ = text;
        std::replace(firstProblem_.begin(), firstProblem_.end(), '\n', ' ');
    }
}

std::optional<std::string> PrintingUserPort::AskOpenFile(const OpenFileRequest&) {
    return std::nullopt;
}

}  // namespace cuffware
