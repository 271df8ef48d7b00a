#include <cstdlib>

#include "platform/host_tree.h"

namespace cuffware {

void SetEnvironment(const std::string& name, const std::string& value) {
    _putenv_s(name.c_str(), value.c_str());
}

}  // namespace cuffware
