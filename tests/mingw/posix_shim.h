#pragma once
// Force-included into the test programs of the MinGW build only: the few
// POSIX calls the tests use to set the environment and make a temporary
// directory, over the Windows C runtime's equivalents.

#ifdef _WIN32
#include <direct.h>
#include <io.h>

#include <cstdlib>
#include <cstring>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name))
        return 0;
    return _putenv_s(name, value);
}

// An empty value removes the variable on Windows.
inline int unsetenv(const char* name) {
    return _putenv_s(name, "");
}

inline char* mkdtemp(char* pattern) {
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0 || _mkdir(pattern) != 0)
        return nullptr;
    return pattern;
}
#endif
