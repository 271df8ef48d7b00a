#pragma once
// The About box: which program and version this is, and a way to the platform's
// system information viewer.

#include <QDialog>
#include <QString>
#include <functional>

namespace cuffware {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // startSysInfo runs when "System Info..." is pressed.
    AboutBox(std::function<void()> startSysInfo, QWidget* parent);

  private:
    std::function<void()> startSysInfo_;
};

}  // namespace cuffware
