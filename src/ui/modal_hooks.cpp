#include "ui/modal_hooks.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace cuffware {

namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

ModalHooks DesktopModalHooks() {
    ModalHooks hooks;
    hooks.showMessage = [](QWidget* parent, const QString& text, MessageIcon icon) {
        QMessageBox box(QtIcon(icon), kApplicationTitle, text, QMessageBox::Ok, parent);
        box.exec();
    };
    hooks.askOpenFile = [](QWidget* parent, const QString& title, const QString& filter,
                           const QString& initialFileName) {
        return QFileDialog::getOpenFileName(parent, title, initialFileName, filter);
    };
    hooks.runModal = [](QDialog& dialog) { dialog.exec(); };
    return hooks;
}

}  // namespace cuffware
