// The main window's own rules: what it shows, how its controls map to the
// project and back, what enables what, the tree's marks and drops, and the
// placement at shutdown.

#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "project/file_tree.h"
#include "win32/resource_ids.h"
#include "win32/window_bench.h"

namespace cuffware::testing {
namespace {

using MainWindowTest = WindowBench;

std::vector<std::string> MenuEntries(HMENU menu) {
    std::vector<std::string> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        entries.push_back(text);
    }
    return entries;
}

TEST_F(MainWindowTest, ShowsCaptionMenusLimitsPanelsAndTheTabOrder) {
    EXPECT_EQ(Text(Main()), "Q740 Cuffware Builder");
    HMENU menus = GetMenu(Main());
    EXPECT_EQ(MenuEntries(menus), (std::vector<std::string>{"&File", "&Tools", "&Help"}));
    EXPECT_EQ(MenuEntries(GetSubMenu(menus, 0)),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "",
                                        "E&xit\tCtrl+Q"}));
    EXPECT_EQ(MenuEntries(GetSubMenu(menus, 1)), (std::vector<std::string>{"&Options..."}));
    EXPECT_EQ(MenuEntries(GetSubMenu(menus, 2)), (std::vector<std::string>{"&About "}));

    EXPECT_EQ(SendMessageW(Item(IDC_BANNER_LINE_1), EM_GETLIMITTEXT, 0, 0), 29);
    EXPECT_EQ(SendMessageW(Item(IDC_BANNER_LINE_2), EM_GETLIMITTEXT, 0, 0), 29);
    EXPECT_EQ(SendMessageW(Item(IDC_VERSION_REQUIRED), EM_GETLIMITTEXT, 0, 0), 6);
    EXPECT_TRUE(GetWindowLongW(Item(IDC_VERSION_REQUIRED), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(Text(Item(IDC_VERSION_REQUIRED)), "740018");

    HWND bar = Item(IDC_STATUS_BAR);
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 3);
    EXPECT_EQ(StatusText(), "Ready");
    for (int date_or_time : {1, 2})
        EXPECT_GT(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, date_or_time, 0)), 0);

    // Every field, the tree and the road's buttons in reading order; the
    // disabled file buttons are skipped.
    Type(IDC_FOLDER_NAME, "demo");
    std::vector<int> order;
    HWND control = Item(IDC_APPLICATION_NAME);
    do {
        order.push_back(GetDlgCtrlID(control));
        control = GetNextDlgTabItem(Main(), control, FALSE);
    } while (control != Item(IDC_APPLICATION_NAME) && order.size() < 40);
    EXPECT_EQ(order, (std::vector<int>{
                         IDC_APPLICATION_NAME,     IDC_FOLDER_NAME,         IDC_DESCRIPTION,
                         IDC_BANNER_LINE_1,        IDC_BANNER_LINE_2,       IDC_VERSION_REQUIRED,
                         IDC_PC_INTERFACE,         IDC_PASSWORD_SUPPORT,    IDC_DATABASE_SUPPORT,
                         IDC_HEADER_DIRECTORY,     IDC_SOURCE_DIRECTORY,    IDC_BUILD_DIRECTORY,
                         IDC_INCLUDE_DIRECTORY,    IDC_ASSEMBLER_DIRECTORY, IDC_FILE_TREE,
                         IDC_CREATE_BUILD_SCRIPTS, IDC_RUN_BUILD_SCRIPTS,   IDC_CREATE_CUFFWARE,
                         IDC_ANALYZE_CUFFWARE,     IDC_CUFFWARE_DOWNLOADER}));
}

TEST_F(MainWindowTest, FieldsTravelToTheProjectAndBackAndAFolderNameUnlocksTheDetails) {
    for (int id : {IDC_DESCRIPTION, IDC_PC_INTERFACE, IDC_BUILD_DIRECTORY})
        EXPECT_FALSE(IsWindowEnabled(Item(id)));
    Type(IDC_APPLICATION_NAME, "Alarm");
    Type(IDC_FOLDER_NAME, "alarm ");
    EXPECT_EQ(Text(Item(IDC_FOLDER_NAME)), "alarm");
    EXPECT_EQ(Text(Item(IDC_HEADER_DIRECTORY)), "c:\\q740\\app\\alarm\\h");
    EXPECT_EQ(Text(Item(IDC_ASSEMBLER_DIRECTORY)), "c:\\c88");
    for (int id : {IDC_DESCRIPTION, IDC_PC_INTERFACE, IDC_BUILD_DIRECTORY})
        EXPECT_TRUE(IsWindowEnabled(Item(id)));

    // Save reads every control first; its blank-free folder passes, and the
    // missing build directory's parent is reported.
    Type(IDC_BANNER_LINE_2, "LINE TWO");
    Press(IDC_DATABASE_SUPPORT);
    Command(IDM_FILE_SAVE);
    const ProjectRecord& project = window->model().bench().project;
    EXPECT_EQ(project.ApplicationName, "Alarm");
    EXPECT_EQ(project.BannerLine2, "LINE TWO");
    EXPECT_EQ(project.DatabaseSupport, 1);
    EXPECT_EQ(project.PasswordSupport, 0);

    // New comes back into every control; the details stay unlocked.
    Select(kHeaderNode);
    Command(IDM_FILE_NEW);
    for (int id : {IDC_APPLICATION_NAME, IDC_FOLDER_NAME, IDC_BANNER_LINE_2, IDC_HEADER_DIRECTORY})
        EXPECT_EQ(Text(Item(id)), "") << id;
    EXPECT_EQ(IsDlgButtonChecked(Main(), IDC_DATABASE_SUPPORT), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_DESCRIPTION)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_ADD_FILE)));
    EXPECT_EQ(window->tree().SelectedNode(), 0);
}

TEST_F(MainWindowTest, TheTreeTakesFilesByButtonAndDropAndItsMarksCannotBeClicked) {
    EXPECT_TRUE(GetWindowLongW(window->tree().hwnd(), GWL_STYLE) & TVS_CHECKBOXES);
    EXPECT_EQ(Text(window->tree().hwnd()), "Source files");  // what a screen reader calls it
    std::vector<std::string> fresh = TreeRows();
    ASSERT_EQ(fresh.size(), 9u);
    EXPECT_EQ(fresh[0], "[x] Application");
    EXPECT_EQ(fresh[8], "  [ ] State 3");

    // No drop before the first selection, and Explorer is not even offered one.
    Drop({L"c:\\early.asm"});
    EXPECT_EQ(TreeRows(), fresh);
    EXPECT_FALSE(GetWindowLongW(window->tree().hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    Select(kRootNode);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_ADD_FILE)) && IsWindowEnabled(Item(IDC_REMOVE_FILE)));
    EXPECT_TRUE(GetWindowLongW(window->tree().hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Drop({L"c:\\root.asm"});
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"Adding files not allowed in root."});
    EXPECT_EQ(user.shown.back().icon, MessageIcon::None);
    Press(IDC_ADD_FILE);  // the root takes no file: no dialog
    EXPECT_TRUE(user.dialogRequests.empty());

    Select(kHeaderNode);
    user.dialogAnswers = {"c:\\src\\demo.h", std::nullopt};
    Press(IDC_ADD_FILE);
    Press(IDC_ADD_FILE);  // cancelled
    ASSERT_EQ(user.dialogRequests.size(), 2u);
    EXPECT_EQ(user.dialogRequests[0].title, "Open");
    EXPECT_EQ(user.dialogRequests[0].filter, "Source Files (*.asm)|*.asm|All Files (*.*)|*.*");
    EXPECT_EQ(window->tree().SelectedNode(), kHeaderNode);

    Select(StateNode(0));
    Drop({L"c:\\src\\b.asm", L"c:\\src\\a.asm"});
    std::vector<std::string> rows = TreeRows();
    EXPECT_EQ(rows[2], "  [x] Header File");
    EXPECT_EQ(rows[3], "    [x] *c:\\src\\demo.h");
    EXPECT_EQ(rows[6], "  [x] State 0");
    EXPECT_EQ(rows[7], "    [x] *c:\\src\\b.asm");
    EXPECT_EQ(rows[8], "    [x] *c:\\src\\a.asm");

    // A click on a check box selects its node and leaves the mark alone; so
    // does the space bar.
    // TVM_GETITEMRECT takes the item's handle in the rectangle's first bytes.
    RECT text{};
    HTREEITEM item = ItemOfNode(StateNode(1));
    std::memcpy(&text, &item, sizeof item);
    SendMessageW(window->tree().hwnd(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
    LPARAM box = MAKELPARAM(text.left - 8, (text.top + text.bottom) / 2);
    SendMessageW(window->tree().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, box);
    SendMessageW(window->tree().hwnd(), WM_LBUTTONUP, 0, box);
    SendMessageW(window->tree().hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    Pump();
    EXPECT_EQ(window->tree().SelectedNode(), StateNode(1));
    EXPECT_EQ(TreeRows(), rows);

    // Removing the header's only file clears its mark and selects it.
    Select(window->model().bench().project.Files.FirstChild(kHeaderNode));
    Press(IDC_REMOVE_FILE);
    EXPECT_EQ(TreeRows()[2], "  [ ] Header File");
    EXPECT_EQ(window->tree().SelectedNode(), kHeaderNode);
}

// The message box gets the text as the model hands it: escaped, as in the
// Qt window.
TEST_F(MainWindowTest, AMessageShowsControlBytesEscaped) {
    user.dialogAnswers = {dir / "gone\x1B[2J.scr"};
    Command(IDM_FILE_OPEN);
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_NE(user.Messages()[0].find("gone\\x1B[2J.scr"), std::string::npos) << user.Messages()[0];
}

TEST_F(MainWindowTest, ClosingSavesThePlacementInTwipsUnlessMinimized) {
    SetWindowPos(Main(), nullptr, 48, 96, 960, 600, SWP_NOZORDER);
    ShowWindow(Main(), SW_MINIMIZE);
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(store.saved.empty());

    window.reset();
    SetUp();
    SetWindowPos(Main(), nullptr, 48, 96, 960, 600, SWP_NOZORDER);
    int dpi = static_cast<int>(GetDpiForWindow(Main()));
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    const std::string settings = std::string(kApplicationTitle) + "\\Settings\\";
    EXPECT_EQ(store.saved[settings + "MainLeft"], std::to_string(MulDiv(48, 1440, dpi)));
    EXPECT_EQ(store.saved[settings + "MainTop"], std::to_string(MulDiv(96, 1440, dpi)));
    EXPECT_EQ(store.saved[settings + "MainWidth"], std::to_string(MulDiv(960, 1440, dpi)));
    EXPECT_EQ(store.saved[settings + "MainHeight"], std::to_string(MulDiv(600, 1440, dpi)));
}

}  // namespace
}  // namespace cuffware::testing
