#pragma once
// The Options dialog: the tool settings over an OptionsModel, which
// holds what OK, Apply, Cancel and the close box do.

#include <QDialog>
#include <array>

#include "app/window_models/options_model.h"

class QFormLayout;
class QLabel;

namespace cuffware {

class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    OptionsDialog(OptionsModel& model, QWidget* parent);

    // A new showing: the model opened and its fields shown.
    void Open();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // A row's field, added to the form with its caption and reporting to the model.
    QWidget* AddTextField(QFormLayout* form, const ToolSettingRow& row);
    QWidget* AddCheckBox(QFormLayout* form, const ToolSettingRow& row);

    // After a refusal the user is back in the field that was refused.
    void FocusRefusedField();

    OptionsModel& model_;
    std::array<QWidget*, kToolSettingCount> fields_{};  // by OptionsField: a line or a check box
    QLabel* settingsFile_ = nullptr;
};

}  // namespace cuffware
