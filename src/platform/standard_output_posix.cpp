#include "platform/standard_output.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace cuffware {

OutputToStandardError::OutputToStandardError() {
    std::cout.flush();
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    if (saved_ >= 0)
        dup2(STDERR_FILENO, STDOUT_FILENO);
}

OutputToStandardError::~OutputToStandardError() {
    std::cout.flush();
    std::fflush(stdout);
    if (saved_ < 0)
        return;
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
}

}  // namespace cuffware
