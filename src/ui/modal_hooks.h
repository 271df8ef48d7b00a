#pragma once
// Everything the windows show modally goes through these hooks, so a test
// can answer a message box, a file dialog or a dialog without a real modal
// loop waiting for a user.

#include <QString>
#include <functional>

#include "platform/user_port.h"

class QDialog;
class QWidget;

namespace cuffware {

struct ModalHooks {
    // A message box with the application title, the icon and an OK button.
    std::function<void(QWidget* parent, const QString& text, MessageIcon icon)> showMessage;
    // The open-file dialog; an empty path when the user cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& filter,
                          const QString& initialFileName)>
        askOpenFile;
    // Shows a dialog modal and returns when it is hidden or closed.
    std::function<void(QDialog& dialog)> runModal;
};

// The real message box, file dialog and modal loop.
ModalHooks DesktopModalHooks();

}  // namespace cuffware
