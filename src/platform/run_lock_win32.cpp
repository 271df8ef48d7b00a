#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/host_path.h"
#include "platform/run_lock.h"

namespace cuffware {

namespace {

constexpr const char* kLockFileName = "\\cuffware.lock";

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Another process has the file open, or is closing it (delete pending).
bool HeldElsewhere(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_DELETE_PENDING;
}

std::string SystemReason(DWORD error) {
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
    while (length > 0 &&
           (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.'))
        --length;
    return length ? std::string(text, length) : "error " + std::to_string(error);
}

}  // namespace

void RunLock::Release() {
    if (handle_ != kNone)
        CloseHandle(AsHandle(handle_));  // the system deletes the file as it closes
    handle_ = kNone;
}

// The lock file's handle is inherited by the batch (and by what the batch
// starts): the file stays open, shared with no one, until the last of them
// ends.
void RunLock::ShareWithChildren() {
    if (handle_ != kNone)
        SetHandleInformation(AsHandle(handle_), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
}

Result<RunLock> LockRun(const std::string& directoryText, int patienceMs) {
    const std::string path = HostPath(directoryText) + kLockFileName;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    for (;;) {
        HANDLE file = CreateFileA(
            path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return RunLock(reinterpret_cast<intptr_t>(file));
        const DWORD error = GetLastError();
        if (error == ERROR_PATH_NOT_FOUND)
            return RunLock();
        if (!HeldElsewhere(error))
            return Diagnostic{directoryText, 0, "cannot lock: " + SystemReason(error)};
        if (std::chrono::steady_clock::now() >= deadline)
            return Diagnostic{directoryText, 0,
                              error == ERROR_SHARING_VIOLATION
                                  ? std::string(kLockHeldElsewhere)
                                  : "cannot lock: " + SystemReason(error)};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace cuffware
