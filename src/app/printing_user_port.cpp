#include "app/printing_user_port.h"

namespace cuffware {

void PrintingUserPort::SetStatus(const std::string& text) {
    out_ << text << '\n' << std::flush;
}

void PrintingUserPort::ShowMessage(const std::string& text, MessageIcon icon) {
    bool problem = icon == MessageIcon::Critical || icon == MessageIcon::None ||
                   (warningsToErrors_ && icon == MessageIcon::Exclamation);
    (problem ? err_ : out_) << text << '\n' << std::flush;
}

std::optional<std::string> PrintingUserPort::AskOpenFile(const OpenFileRequest&) {
    return std::nullopt;
}

}  // namespace cuffware
