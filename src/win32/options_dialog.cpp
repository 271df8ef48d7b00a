#include "win32/options_dialog.h"

#include "project/text_rules.h"
#include "win32/resource_ids.h"

namespace cuffware {

namespace {

constexpr int kNumberOfStatesMaxLength = 2;
constexpr int kFirmwareVersionMaxLength = 6;

}  // namespace

OptionsDialog::OptionsDialog(Writer write, HWND owner) : write_(std::move(write)) {
    Create(IDD_OPTIONS, owner);
    SendMessageW(Item(IDC_NUMBER_OF_STATES), EM_LIMITTEXT, kNumberOfStatesMaxLength, 0);
    SendMessageW(Item(IDC_FIRMWARE_VERSION), EM_LIMITTEXT, kFirmwareVersionMaxLength, 0);
}

void OptionsDialog::Fill(const ToolSettings& settings) {
    SetItemText(IDC_SDK_PATH, Trimmed(settings.SdkPath));
    SetItemText(IDC_ASSEMBLER_PATH, Trimmed(settings.AssemblerPath));
    SetItemText(IDC_NUMBER_OF_STATES, std::to_string(settings.NumberOfStates));
    SetItemText(IDC_FIRMWARE_VERSION, Trimmed(settings.FirmwareVersion));
    updateRequested_ = false;
    discarded_ = false;
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_SDK_PATH)), TRUE);
}

ToolSettingsFields OptionsDialog::Fields() const {
    return {ItemText(IDC_SDK_PATH), ItemText(IDC_ASSEMBLER_PATH), ItemText(IDC_NUMBER_OF_STATES),
            ItemText(IDC_FIRMWARE_VERSION)};
}

// A refused or failed write leaves the flag as it was, so memory never takes
// over values the file does not hold.
bool OptionsDialog::WriteToolSettings() {
    if (!write_(Fields()))
        return false;
    updateRequested_ = true;
    return true;
}

bool OptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = TRUE;
            return true;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    if (WriteToolSettings())
                        ShowWindow(hwnd(), SW_HIDE);
                    return true;
                case IDC_APPLY:
                    WriteToolSettings();
                    return true;
                case IDCANCEL:
                    ShowWindow(hwnd(), SW_HIDE);
                    return true;
            }
            return false;
        case WM_CLOSE:
            discarded_ = true;
            ShowWindow(hwnd(), SW_HIDE);
            return true;
    }
    return false;
}

}  // namespace cuffware
