// cuffware-builder.exe: the window program on the Windows API.
//
//   cuffware-builder [--settings FILE] [SCRIPT]
//
// The words after the options, joined by blanks, are the argument text: a
// builder script to open at start when it is not blank. --settings replaces
// builder.ini in the program's directory; --version prints the version and
// that file, --help the usage.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "app/actions/program_settings.h"
#include "app/window_models/builder_arguments.h"
#include "platform/file_system.h"
#include "platform/host_process.h"
#include "platform/program_version.h"
#include "win32/main_window.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace {

std::vector<std::string> ArgumentWords() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> narrowed;
    for (int i = 1; i < count; ++i)
        narrowed.push_back(cuffware::Narrow(words[i]));
    LocalFree(words);
    return narrowed;
}

// A window program has no console of its own: the text goes to the one it
// was started from, if any.
void PrintToStartingConsole(const std::string& text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                          nullptr);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE)
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// For the documentation's screenshots: CUFFWARE_BUILDER_OPEN=options,
// analysis or about opens that window once the main window is up.
void OpenRequestedWindow(HWND window) {
    wchar_t requested[16] = L"";
    GetEnvironmentVariableW(L"CUFFWARE_BUILDER_OPEN", requested, 16);
    std::wstring open = requested;
    int command = open == L"options"    ? IDM_TOOLS_OPTIONS
                  : open == L"analysis" ? IDC_ANALYZE_CUFFWARE
                  : open == L"about"    ? IDM_HELP_ABOUT
                                        : 0;
    if (command)
        PostMessageW(window, WM_COMMAND, command, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    std::vector<std::string> words = ArgumentWords();
    // Answered before any window is made, so it needs no desktop.
    if (std::optional<std::string> answer = cuffware::ConsoleAnswer(words)) {
        PrintToStartingConsole(*answer);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    cuffware::BuilderArguments arguments = cuffware::ParseBuilderArguments(words);

    cuffware::MainWindow window(cuffware::DiskFileSystem(), cuffware::HostProcesses(),
                                cuffware::HostRegistry(), cuffware::HostUserSettings());
    window.onClosed = [] { PostQuitMessage(0); };
    window.Start(arguments.settingsPath, arguments.argumentText);
    ShowWindow(window.hwnd(), show);
    OpenRequestedWindow(window.hwnd());
    cuffware::PumpMessages([] { return true; });
    return 0;
}
