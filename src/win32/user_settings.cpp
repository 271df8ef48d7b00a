#include "win32/user_settings.h"

#include <windows.h>

namespace cuffware {

namespace {

class RegistryUserSettings : public UserSettingsStore {
  public:
    Status SaveSetting(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) override {
        std::string keyName = "Software\\" + application + "\\" + application + "\\" + section;
        HKEY opened = nullptr;
        LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0,
                                         KEY_SET_VALUE, nullptr, &opened, nullptr);
        if (status == ERROR_SUCCESS) {
            status = RegSetValueExA(opened, key.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1));
            RegCloseKey(opened);
        }
        if (status != ERROR_SUCCESS)
            return Diagnostic{"HKEY_CURRENT_USER\\" + keyName, 0,
                              key + ": cannot be saved (error " + std::to_string(status) + ")"};
        return Status::Ok();
    }
};

}  // namespace

UserSettingsStore& HostUserSettings() {
    static RegistryUserSettings store;
    return store;
}

}  // namespace cuffware
