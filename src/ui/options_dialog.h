#pragma once
// frmOptions: edits the tool settings. OK and Apply write builder.ini at
// once; the main window takes the fields over when the dialog closes, if OK
// or Apply was pressed during this showing (the hidden CheckUpdateOptions).
// The same dialog object serves every opening until its close box discards it.

#include <QDialog>
#include <functional>

#include "project/tool_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cuffware {

class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    // write is the shared writing step of OK and Apply; it reports its own
    // failures and returns false when nothing was written.
    using Writer = std::function<bool(const ToolSettingsFields& fields)>;

    OptionsDialog(Writer write, QWidget* parent);

    // The opening: the fields from the settings in memory, the flag cleared.
    void Fill(const ToolSettings& settings);

    ToolSettingsFields Fields() const;

    // Names the settings file that OK and Apply write.
    void ShowSettingsFile(const std::string& path);

    // OK or Apply wrote the file during this showing, and the close box did
    // not discard the dialog.
    bool UpdateRequested() const;

    // The close box was used: the caller drops this object.
    bool Discarded() const { return discarded_; }

  public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool WriteToolSettings();

    Writer write_;
    bool discarded_ = false;
    QLineEdit* TextDirectory;
    QLineEdit* TextAssembler;
    QLineEdit* TextNumberOfStates;
    QLineEdit* TextFirmwareVersion;
    QLabel* lblSettingsFile;
    QCheckBox* CheckUpdateOptions;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;
};

}  // namespace cuffware
