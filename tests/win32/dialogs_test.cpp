// The Options dialog's buttons and take-over, the analysis window's table,
// bars and ERROR mark, and the About box, each driven while it is shown
// modally over the main window.

#include <windows.h>

#include <commctrl.h>

#include "win32/resource_ids.h"
#include "win32/wide_text.h"
#include "win32/window_bench.h"

namespace cuffware::testing {
namespace {

using DialogsTest = WindowBench;

std::string ItemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SetItem(HWND dialog, int id, const char* text) {
    SetDlgItemTextA(dialog, id, text);
}

TEST_F(DialogsTest, OptionsWriteOnOkAndApplyAndMemoryTakesOverOnlyWhenNotDiscarded) {
    HWND first = nullptr;
    onModal = [&](HWND dialog) {
        first = dialog;
        EXPECT_EQ(Text(dialog), "Options");
        EXPECT_EQ(ItemText(dialog, IDC_NUMBER_OF_STATES), "3");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_NUMBER_OF_STATES, EM_GETLIMITTEXT, 0, 0), 2);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_FIRMWARE_VERSION, EM_GETLIMITTEXT, 0, 0), 6);
        SetItem(dialog, IDC_SDK_PATH, " D:\\sdk ");
        SetItem(dialog, IDC_NUMBER_OF_STATES, "7x");
        Press(GetDlgItem(dialog, IDC_APPLY));
        EXPECT_TRUE(IsWindowVisible(dialog));
        Press(GetDlgItem(dialog, IDCANCEL));
    };
    Command(IDM_TOOLS_OPTIONS);
    EXPECT_EQ(dir.Read("builder.ini"),
              "BIN=D:\\sdk\r\nASSEMBLER=c:\\c88\r\nSTATES=7\r\nVERSION=740018\r\n");
    EXPECT_EQ(window->model().bench().settings.SdkPath, "D:\\sdk");
    EXPECT_EQ(window->model().bench().settings.NumberOfStates, 7);

    // The same dialog again, refilled; Apply, then the close box: the file
    // keeps what Apply wrote, memory does not take it, the dialog is gone.
    onModal = [&](HWND dialog) {
        EXPECT_EQ(dialog, first);
        EXPECT_EQ(ItemText(dialog, IDC_SDK_PATH), "D:\\sdk");
        SetItem(dialog, IDC_SDK_PATH, "E:\\sdk");
        Press(GetDlgItem(dialog, IDC_APPLY));
        SendMessageW(dialog, WM_CLOSE, 0, 0);
    };
    Command(IDM_TOOLS_OPTIONS);
    EXPECT_EQ(dir.Read("builder.ini").substr(0, 11), "BIN=E:\\sdk\r");
    EXPECT_EQ(window->model().bench().settings.SdkPath, "D:\\sdk");
    EXPECT_FALSE(IsWindow(first));

    // A refused number of states keeps the dialog open with the reason;
    // Esc then leaves it without taking anything over.
    onModal = [&](HWND dialog) {
        SetItem(dialog, IDC_FIRMWARE_VERSION, "740019");
        SetItem(dialog, IDC_NUMBER_OF_STATES, "300");
        Press(GetDlgItem(dialog, IDOK));
        EXPECT_TRUE(IsWindowVisible(dialog));
        // The refused field has the focus, its whole text selected.
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_NUMBER_OF_STATES));
        DWORD start = 0, end = 0;
        SendDlgItemMessageW(dialog, IDC_NUMBER_OF_STATES, EM_GETSEL,
                            reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 3u);
        MSG escape{dialog, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        IsDialogMessageW(dialog, &escape);
        Pump();
    };
    Command(IDM_TOOLS_OPTIONS);
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_EQ(user.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(user.shown[0].text.find("300"), std::string::npos);
    EXPECT_EQ(window->model().bench().settings.FirmwareVersion, "740018");
}

// A code image of the common section and two states, as the packaging
// writes it: sizes, the offset table from position 7, then each section's
// length (3 header bytes and its code).
std::string CodeImage(const std::vector<int>& usages) {
    auto put16 = [](std::string& bytes, size_t at, int value) {
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    };
    std::string image(7 + 2 * usages.size(), '\0');
    put16(image, 5, static_cast<int>(usages.size()));
    for (size_t section = 0; section < usages.size(); ++section) {
        if (section > 0)
            put16(image, 7 + 2 * section, static_cast<int>(image.size()) - 7);
        size_t header = image.size();
        image.resize(header + 3 + static_cast<size_t>(usages[section]), '\x55');
        put16(image, header, usages[section] + 3);
    }
    put16(image, 0, 1280);
    put16(image, 2, static_cast<int>(image.size()) - 4);
    return image;
}

TEST_F(DialogsTest, TheAnalysisListsEverySectionWithBarsAndMarksAnOverrunInRed) {
    Type(IDC_FOLDER_NAME, "demo");
    Type(IDC_BUILD_DIRECTORY, dir.path());
    dir.Write("demo_code_018.bin", CodeImage({500, 300, 401}));
    onModal = [&](HWND dialog) {
        EXPECT_EQ(Text(dialog), "Cuffware Memory Usage Analysis");
        EXPECT_EQ(ItemText(dialog, IDC_FILE_NAME), "demo_code_018.bin");
        EXPECT_EQ(ItemText(dialog, IDC_MAX_STATE_USAGE), "401");
        EXPECT_EQ(ItemText(dialog, IDC_MAX_OVERLAY_USAGE), "901");
        EXPECT_EQ(ItemText(dialog, IDC_OVERLAY_SIZE), "900");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_OVERLAY_ERROR)));

        HWND list = GetDlgItem(dialog, IDC_SECTION_LIST);
        HWND header = ListView_GetHeader(list);
        ASSERT_EQ(Header_GetItemCount(header), 2);
        // The two columns fill the table: no empty third part in the header.
        RECT table{};
        GetClientRect(list, &table);
        EXPECT_EQ(ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1), table.right);
        EXPECT_EQ(Text(list), "Memory usage by section");  // what a screen reader calls it
        std::vector<std::string> rows;
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            wchar_t section[32] = L"", usage[32] = L"";
            ListView_GetItemText(list, row, 0, section, 32);
            ListView_GetItemText(list, row, 1, usage, 32);
            rows.push_back(Narrow(section) + " " + Narrow(usage));
        }
        EXPECT_EQ(rows, (std::vector<std::string>{"Common 500", "State 0 300", "State 1 401"}));

        // Only the bar that passes the overlay is red.
        UpdateWindow(list);
        HDC screen = GetDC(list);
        for (int row = 0; row < 3; ++row) {
            RECT cell{};
            ListView_GetSubItemRect(list, row, 1, LVIR_BOUNDS, &cell);
            bool red = false;
            for (int x = cell.left; x < cell.right; ++x)
                red = red || GetPixel(screen, x, (cell.top + cell.bottom) / 2) == RGB(200, 40, 40);
            EXPECT_EQ(red, row == 2) << rows[static_cast<size_t>(row)];
        }
        ReleaseDC(list, screen);
        Press(GetDlgItem(dialog, IDOK));
    };
    Press(IDC_ANALYZE_CUFFWARE);
    EXPECT_EQ(StatusText(), "Ready");
}

TEST_F(DialogsTest, TheAboutBoxNamesTheProgramAndClosesWithEnterOrEsc) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        onModal = [&](HWND dialog) {
            EXPECT_EQ(Text(dialog), "Q740 Cuffware Script Builder");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TITLE), "Q740 Cuffware Script Builder");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), "Version 1.1.92");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_DESCRIPTION),
                      "Creates build scripts for q740 cuffwares.");
            Press(GetDlgItem(dialog, IDC_SYSTEM_INFO));
            MSG press{dialog, WM_KEYDOWN, key, 0, 0, {}};
            IsDialogMessageW(dialog, &press);
            Pump();
        };
        Command(IDM_HELP_ABOUT);
    }
    EXPECT_EQ(user.Messages(), (std::vector<std::string>(2,
                                                         "System Information Is Unavailable "
                                                         "At This Time")));
}

}  // namespace
}  // namespace cuffware::testing
