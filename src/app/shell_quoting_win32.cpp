#include "app/shell_quoting.h"

namespace cuffware {

Shell HostShell() {
    return Shell::kCmd;
}

}  // namespace cuffware
