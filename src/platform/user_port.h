#pragma once
// The one way an action talks to the user: the status line, modal message
// boxes and the open-file dialog. The window shows them, the headless command
// prints them, tests record them.

#include <optional>
#include <string>

namespace cuffware {

// Every message box carries the application title as its caption.
inline constexpr const char* kApplicationTitle = "Q740 Cuffware Script Builder";

enum class MessageIcon { None, Critical, Exclamation, Information };

// An open-file dialog request. filter is in the "Label|*.ext|Label|*.*" form.
struct OpenFileRequest {
    std::string title;
    std::string filter;
    std::string initialFileName;
    // Where the dialog opens (a path text); empty: where the host chooses.
    std::string initialDirectory = {};
};

class UserPort {
  public:
    virtual ~UserPort() = default;

    // The text of the status bar's first panel.
    virtual void SetStatus(const std::string& text) = 0;

    // A modal message box with only an OK button; returns when confirmed.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> AskOpenFile(const OpenFileRequest& request) = 0;
};

}  // namespace cuffware
