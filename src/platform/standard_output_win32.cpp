#include "platform/standard_output.h"

#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

namespace cuffware {

// The programs started inherit the standard handles, so the handle is moved
// as well as the C runtime's descriptor.
OutputToStandardError::OutputToStandardError() {
    std::cout.flush();
    std::fflush(stdout);
    saved_ = _dup(_fileno(stdout));
    if (saved_ < 0)
        return;
    _dup2(_fileno(stderr), _fileno(stdout));
    SetStdHandle(STD_OUTPUT_HANDLE, GetStdHandle(STD_ERROR_HANDLE));
}

OutputToStandardError::~OutputToStandardError() {
    std::cout.flush();
    std::fflush(stdout);
    if (saved_ < 0)
        return;
    _dup2(saved_, _fileno(stdout));
    SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout))));
    _close(saved_);
}

}  // namespace cuffware
