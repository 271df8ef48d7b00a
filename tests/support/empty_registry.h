#pragma once
// A registry without values, as off Windows.

#include "platform/system_info.h"

namespace cuffware::testing {

class EmptyRegistry : public Registry {
  public:
    std::optional<std::string> GetKeyValue(RegistryRoot, const std::string&,
                                           const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace cuffware::testing
