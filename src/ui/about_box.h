#pragma once
// frmAbout: which program and version this is, and a way to the platform's
// system information viewer.

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

namespace cuffware {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // startSysInfo runs when "System Info..." is pressed.
    AboutBox(std::function<void()> startSysInfo, QWidget* parent);

  public slots:
    void PressOK();
    void PressSystemInfo();

  private:
    std::function<void()> startSysInfo_;
    QLabel* PictureIcon;
    QLabel* LabelTitle;
    QLabel* LabelVersion;
    QLabel* LabelDescription;
    QLabel* LabelDisclaimer;
    QPushButton* ButtonOK;
    QPushButton* ButtonSystemInfo;
};

}  // namespace cuffware
