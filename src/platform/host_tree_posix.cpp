#include <cstdlib>

#include "platform/host_tree.h"

namespace cuffware {

void SetEnvironment(const std::string& name, const std::string& value) {
    setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace cuffware
