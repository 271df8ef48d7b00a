#include "app/printing_user_port.h"

#include <algorithm>

namespace cuffware {

void PrintingUserPort::SetStatus(const std::string& text) {
    out_ << text << '\n' << std::flush;
    lastStatus_ = text;
}

void PrintingUserPort::ShowMessage(const std::string& text, MessageIcon icon) {
    bool problem = icon == MessageIcon::Critical || icon == MessageIcon::None;
    (problem ? err_ : out_) << text << '\n' << std::flush;
    if (problem && firstProblem_.empty()) {
        firstProblem_ = text;
        std::replace(firstProblem_.begin(), firstProblem_.end(), '\n', ' ');
    }
}

std::optional<std::string> PrintingUserPort::AskOpenFile(const OpenFileRequest&) {
    return std::nullopt;
}

}  // namespace cuffware
