#pragma once
// The per-user settings store: text values saved under an application, a
// section and a key. Only saving is used; nothing reads them back.

#include <string>

#include "platform/result.h"

namespace cuffware {

class UserSettingsStore {
  public:
    virtual ~UserSettingsStore() = default;

    virtual Status SaveSetting(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& value) = 0;
};

// The current user's registry, at
// Software\APPLICATION\APPLICATION\SECTION, the place Qt's settings of an
// organization and application of that name use, so both window programs
// write to one place.
UserSettingsStore& HostUserSettings();

}  // namespace cuffware
