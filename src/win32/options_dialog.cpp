#include "win32/options_dialog.h"

#include <iterator>

#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace cuffware {

namespace {

// The control of each OptionsField, in its order: an edit control, or a
// check box for a Flag.
constexpr int kFieldControls[] = {IDC_SDK_PATH, IDC_ASSEMBLER_PATH, IDC_NUMBER_OF_STATES,
                                  IDC_FIRMWARE_VERSION};
static_assert(std::size(kFieldControls) == kToolSettingCount);

int FieldControl(OptionsField field) {
    return kFieldControls[static_cast<int>(field)];
}

}  // namespace

OptionsDialog::OptionsDialog(OptionsModel& model, HWND owner) : model_(model) {
    Create(IDD_OPTIONS, owner);
    SetWindowTextW(hwnd(), Wide(kOptionsTitle).c_str());
    SetItemText(IDC_OPTIONS_FRAME, kOptionsFrameCaption);
    for (const ToolSettingRow& row : ToolSettingRows()) {
        // A check box carries its caption; a text field has a label before it.
        SetItemText(row.kind == ToolSettingKind::Flag
                        ? FieldControl(row.setting)
                        : IDC_OPTIONS_LABEL_FIRST + static_cast<int>(row.setting),
                    row.caption);
        if (row.maxLength > 0)
            SendMessageW(Item(FieldControl(row.setting)), EM_LIMITTEXT,
                         static_cast<WPARAM>(row.maxLength), 0);
    }
}

void OptionsDialog::Fill() {
    filling_ = true;
    for (const ToolSettingRow& row : ToolSettingRows()) {
        if (row.kind == ToolSettingKind::Flag)
            CheckDlgButton(hwnd(), FieldControl(row.setting),
                           model_.Checked(row.setting) ? BST_CHECKED : BST_UNCHECKED);
        else
            SetItemText(FieldControl(row.setting), model_.FieldText(row.setting));
    }
    SetItemText(IDC_SETTINGS_FILE, model_.SettingsFileLine());
    filling_ = false;
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_SDK_PATH)), TRUE);
}

void OptionsDialog::FocusRefusedField() {
    if (std::optional<OptionsField> refused = model_.RefusedField()) {
        HWND field = Item(FieldControl(*refused));
        SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        SendMessageW(field, EM_SETSEL, 0, -1);
    }
}

void OptionsDialog::FieldCommand(const ToolSettingRow& row, int code) {
    const int id = FieldControl(row.setting);
    if (row.kind == ToolSettingKind::Flag) {
        if (code == BN_CLICKED)
            model_.CheckChanged(row.setting, IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
    } else if (code == EN_CHANGE && !filling_) {
        model_.FieldChanged(row.setting, ItemText(id));
    }
}

bool OptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = TRUE;
            return true;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            for (const ToolSettingRow& row : ToolSettingRows())
                if (id == FieldControl(row.setting)) {
                    FieldCommand(row, HIWORD(wParam));
                    return true;
                }
            switch (id) {
                case IDOK:
                    if (model_.OK())
                        ShowWindow(hwnd(), SW_HIDE);
                    else
                        FocusRefusedField();
                    return true;
                case IDC_APPLY:
                    model_.Apply();
                    FocusRefusedField();
                    return true;
                case IDCANCEL:
                    ShowWindow(hwnd(), SW_HIDE);
                    return true;
            }
            return false;
        }
        case WM_CLOSE:
            model_.CloseBox();
            ShowWindow(hwnd(), SW_HIDE);
            return true;
    }
    return false;
}

}  // namespace cuffware
