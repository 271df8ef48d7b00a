#pragma once
// Sets environment variables for one test and puts the old values back.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cuffware::testing {

class EnvironmentScope {
  public:
    EnvironmentScope() = default;
    EnvironmentScope(const std::string& name, const std::string& value) { Set(name, value); }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

    // Sets name to value, or removes it when value is null.
    void Set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
    }
    void Set(const std::string& name, const std::string& value) { Set(name, value.c_str()); }

    ~EnvironmentScope() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            it->second ? setenv(it->first.c_str(), it->second->c_str(), 1)
                       : unsetenv(it->first.c_str());
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace cuffware::testing
