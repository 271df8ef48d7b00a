#pragma once
// A UserPort that records what the user would have seen, in order, and
// answers the open-file dialog from a queue.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_port.h"

namespace cuffware::testing {

struct Shown {
    enum Kind { Status, Message, Dialog } kind;
    std::string text;
    MessageIcon icon = MessageIcon::None;

    bool operator==(const Shown&) const = default;
};

class RecordingUserPort : public UserPort {
  public:
    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> AskOpenFile(const OpenFileRequest& request) override;

    // What the next open-file dialogs return (nothing: cancelled).
    std::deque<std::optional<std::string>> dialogAnswers;
    std::vector<OpenFileRequest> dialogRequests;
    std::vector<Shown> shown;

    std::vector<std::string> Messages() const;
    std::string LastStatus() const;
};

}  // namespace cuffware::testing
