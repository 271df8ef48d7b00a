#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/host_path.h"
#include "platform/run_lock.h"

namespace cuffware {

namespace {

// The lock covers one byte far past the holder's text, which stays readable.
constexpr DWORD kLockedOffset = 0x40000000;

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string HolderText(HANDLE file) {
    char buffer[512];
    DWORD got = 0;
    OVERLAPPED at{};
    if (!ReadFile(file, buffer, sizeof buffer, &got, &at))
        got = 0;
    std::string text;
    for (DWORD i = 0; i < got; ++i)
        text += static_cast<unsigned char>(buffer[i]) < 0x20 ? '?' : buffer[i];
    return text.empty() ? std::string("another run") : text;
}

bool TryLock(HANDLE file) {
    OVERLAPPED at{};
    at.Offset = kLockedOffset;
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

}  // namespace

void RunLock::Release() {
    if (handle_ != kNone)
        CloseHandle(AsHandle(handle_));  // closing lets go of the lock
    handle_ = kNone;
}

Result<RunLock> LockRun(const std::string& lockPathText, const std::string& holder,
                        int patienceMs) {
    const std::string path = HostPath(lockPathText);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_PATH_NOT_FOUND)
            return RunLock();
        return Diagnostic{lockPathText, 0, "cannot lock: error " + std::to_string(error)};
    }
    RunLock lock(reinterpret_cast<intptr_t>(file));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (!TryLock(file)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return Diagnostic{lockPathText, 0, "in use by " + HolderText(file)};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    DWORD written = 0;
    OVERLAPPED at{};
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    const std::string text =
        "process " + std::to_string(GetCurrentProcessId()) + " (" + holder + ")";
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, &at);
    return lock;
}

}  // namespace cuffware
