#include "support/recording_user_port.h"

namespace cuffware::testing {

void RecordingUserPort::SetStatus(const std::string& text) {
    shown.push_back({Shown::Status, text, MessageIcon::None});
}

void RecordingUserPort::ShowMessage(const std::string& text, MessageIcon icon) {
    shown.push_back({Shown::Message, text, icon});
}

std::optional<std::string> RecordingUserPort::AskOpenFile(const OpenFileRequest& request) {
    dialogRequests.push_back(request);
    shown.push_back({Shown::Dialog, request.title, MessageIcon::None});
    if (dialogAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

std::vector<std::string> RecordingUserPort::Messages() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown)
        if (s.kind == Shown::Message)
            texts.push_back(s.text);
    return texts;
}

std::string RecordingUserPort::LastStatus() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == Shown::Status)
            return it->text;
    return {};
}

}  // namespace cuffware::testing
