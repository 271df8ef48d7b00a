// road_driver: the road through cuffware-builder.exe as a user takes it.
// Starts the program on a builder script, presses the five buttons of the
// road in order, confirms every message box with OK (waiting, as the
// message asks, until the build's console has closed), reads the analysis
// window and closes the program. It prints what it saw, one line each:
//
//   started in N ms
//   message: TEXT            (line breaks shown as " / ")
//   analysis: CAPTION VALUE  (the analysis window's values, then its rows)
//   downloader: exit N
//   status: TEXT             (the status bar's first panel at the end)
//
//   road_driver PROGRAM SETTINGS SCRIPT      the whole road
//   road_driver --start-only PROGRAM         start, wait for the window, close

#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace {

using cuffware::Narrow;
using Clock = std::chrono::steady_clock;

constexpr DWORD kPatience = 120000;  // ms for the build and each window

struct Builder {
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
};

void Say(const std::string& line) {
    std::string shown = line;
    for (size_t at; (at = shown.find('\n')) != std::string::npos;)
        shown.replace(at, 1, " / ");
    std::printf("%s\n", shown.c_str());
    std::fflush(stdout);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::string TextOf(HWND window) {
    return cuffware::WindowTextOf(window);
}

// The visible dialog windows of the builder other than the main window.
HWND ModalWindow(const Builder& builder) {
    struct Search {
        const Builder* builder;
        HWND found;
    } search{&builder, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != search.builder->process.dwProcessId || window == search.builder->main ||
                !IsWindowVisible(window) || ClassOf(window) != L"#32770")
                return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message box's text: its longest static text.
std::string MessageText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Static" && TextOf(child).size() > text.size())
            text = TextOf(child);
    return text;
}

// The builder's processes started from it with this name.
std::vector<DWORD> Children(const Builder& builder, const wchar_t* name) {
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == builder.process.dwProcessId &&
            lstrcmpiW(entry.szExeFile, name) == 0)
            found.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

HANDLE OpenToWait(DWORD pid) {
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
}

DWORD WaitForExit(HANDLE process) {
    if (!process)
        return STILL_ACTIVE;
    WaitForSingleObject(process, kPatience);
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    return status;
}

// Text from a control that writes it into a buffer the caller passes: the
// buffer must lie in the builder's own memory.
class RemoteBuffer {
  public:
    explicit RemoteBuffer(HANDLE process) : process_(process) {
        at_ = VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() { VirtualFreeEx(process_, at_, 0, MEM_RELEASE); }
    static constexpr size_t kSize = 4096;
    static constexpr size_t kTextOffset = 256;
    char* at() const { return static_cast<char*>(at_); }
    void Write(const void* data, size_t size) const {
        WriteProcessMemory(process_, at_, data, size, nullptr);
    }
    std::string Text() const {
        std::wstring text(1024, L'\0');
        ReadProcessMemory(process_, at() + kTextOffset, text.data(), 2047, nullptr);
        return Narrow(text.c_str());
    }

  private:
    HANDLE process_;
    void* at_;
};

std::string ListText(HANDLE process, HWND list, int row, int column) {
    RemoteBuffer buffer(process);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(buffer.at() + RemoteBuffer::kTextOffset);
    item.cchTextMax = 1000;
    buffer.Write(&item, sizeof item);
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.at()));
    return buffer.Text();
}

std::string StatusText(HANDLE process, HWND main) {
    RemoteBuffer buffer(process);
    SendMessageW(GetDlgItem(main, IDC_STATUS_BAR), SB_GETTEXTW, 0,
                 reinterpret_cast<LPARAM>(buffer.at() + RemoteBuffer::kTextOffset));
    return buffer.Text();
}

// Each value under its caption (the label before it), "ERROR" after the
// overlay usage when it shows, then the table's rows.
void ReadAnalysis(const Builder& builder, HWND window) {
    for (int id : {IDC_FILE_NAME, IDC_IMAGE_SIZE, IDC_USED_SIZE, IDC_COMMON_USAGE,
                   IDC_MAX_STATE_USAGE, IDC_MAX_OVERLAY_USAGE, IDC_OVERLAY_SIZE}) {
        HWND value = GetDlgItem(window, id);
        bool error =
            id == IDC_MAX_OVERLAY_USAGE && IsWindowVisible(GetDlgItem(window, IDC_OVERLAY_ERROR));
        Say("analysis: " + TextOf(GetWindow(value, GW_HWNDPREV)) + " " + TextOf(value) +
            (error ? " ERROR" : ""));
    }
    HWND list = GetDlgItem(window, IDC_SECTION_LIST);
    int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        Say("analysis: " + ListText(builder.process.hProcess, list, row, 0) + " " +
            ListText(builder.process.hProcess, list, row, 1));
}

// What a user does about a modal window: read it, wait where it says so,
// then OK.
void Answer(const Builder& builder, HWND modal) {
    if (TextOf(modal) == "Cuffware Memory Usage Analysis") {
        ReadAnalysis(builder, modal);
    } else {
        std::string text = MessageText(modal);
        Say("message: " + text);
        if (text.rfind("Assembling the application.", 0) == 0)
            for (DWORD batch : Children(builder, L"cmd.exe"))
                Say("build: exit " + std::to_string(WaitForExit(OpenToWait(batch))));
    }
    PostMessageW(modal, WM_COMMAND, IDOK, 0);
    for (auto start = Clock::now(); IsWindow(modal) && IsWindowVisible(modal) &&
                                    Clock::now() - start < std::chrono::milliseconds(kPatience);)
        Sleep(20);
}

// Presses a button and answers what it shows until the window is quiet.
void Press(const Builder& builder, int id) {
    SendNotifyMessageW(builder.main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(builder.main, id)));
    for (int quiet = 0; quiet < 5;) {
        SendMessageTimeoutW(builder.main, WM_NULL, 0, 0, SMTO_NORMAL, kPatience, nullptr);
        if (HWND modal = ModalWindow(builder)) {
            Answer(builder, modal);
            quiet = 0;
        } else {
            ++quiet;
            Sleep(50);
        }
    }
}

bool Start(Builder& builder, const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;
    auto start = Clock::now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &builder.process)) {
        Say("cannot start: error " + std::to_string(GetLastError()));
        return false;
    }
    while (Clock::now() - start < std::chrono::milliseconds(kPatience)) {
        HWND main = FindWindowW(L"#32770", L"Q740 Cuffware Builder");
        DWORD pid = 0;
        GetWindowThreadProcessId(main, &pid);
        if (main && pid == builder.process.dwProcessId && IsWindowVisible(main)) {
            builder.main = main;
            auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            Say("started in " + std::to_string(took.count()) + " ms");
            return true;
        }
        Sleep(5);
    }
    Say("the main window did not appear");
    return false;
}

int Close(Builder& builder) {
    PostMessageW(builder.main, WM_CLOSE, 0, 0);
    DWORD waited = WaitForSingleObject(builder.process.hProcess, kPatience);
    CloseHandle(builder.process.hThread);
    CloseHandle(builder.process.hProcess);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
}

std::wstring Quoted(const wchar_t* text) {
    return L"\"" + std::wstring(text) + L"\"";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Builder builder;
    if (argc == 3 && std::wstring(argv[1]) == L"--start-only")
        return Start(builder, Quoted(argv[2])) ? Close(builder) : 1;
    if (argc != 4) {
        std::fprintf(stderr, "usage: road_driver PROGRAM SETTINGS SCRIPT\n");
        return 2;
    }
    if (!Start(builder, Quoted(argv[1]) + L" --settings " + Quoted(argv[2]) + L" " + argv[3]))
        return 1;
    for (int button : {IDC_CREATE_BUILD_SCRIPTS, IDC_RUN_BUILD_SCRIPTS, IDC_CREATE_CUFFWARE,
                       IDC_ANALYZE_CUFFWARE})
        Press(builder, button);
    // The downloader may be done before the button's handler is: watch for
    // it from before the press, and hold it once seen to read its exit.
    HANDLE downloader = nullptr;
    std::thread watch([&] {
        for (auto start = Clock::now();
             !downloader && Clock::now() - start < std::chrono::seconds(20); Sleep(1))
            for (DWORD pid : Children(builder, L"CuffwareDL.exe"))
                downloader = OpenToWait(pid);
    });
    Press(builder, IDC_CUFFWARE_DOWNLOADER);
    watch.join();
    Say(downloader ? "downloader: exit " + std::to_string(WaitForExit(downloader))
                   : std::string("downloader: not started"));
    Say("status: " + StatusText(builder.process.hProcess, builder.main));
    return Close(builder);
}
