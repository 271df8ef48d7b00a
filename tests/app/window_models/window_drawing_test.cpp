// What both windows draw from the model: the menus with their shortcuts,
// and the usage bars' geometry, colours and spoken text.

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string_view>

#include "app/window_models/memory_usage_view.h"
#include "app/window_models/menu_bar.h"

namespace cuffware {
namespace {

// Each command is reachable once; no two entries of a menu, and no two
// menus, share an access key, and no two entries a shortcut; File ends with
// Exit below a rule.
TEST(MenuBar, EachCommandOnceWithItsOwnAccessKeyAndShortcut) {
    auto accessKey = [](std::string_view caption) {
        size_t amp = caption.find('&');
        return amp == std::string_view::npos || amp + 1 == caption.size()
                   ? '\0'
                   : static_cast<char>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
    };
    std::set<MenuCommand> commands;
    std::set<char> shortcuts, menuKeys;
    size_t entries = 0;
    for (const Menu& menu : MenuBar()) {
        EXPECT_TRUE(menuKeys.insert(accessKey(menu.caption)).second) << menu.caption;
        std::set<char> entryKeys;
        for (const MenuEntry& entry : menu.entries) {
            ++entries;
            commands.insert(entry.command);
            EXPECT_TRUE(entryKeys.insert(accessKey(entry.caption)).second) << entry.caption;
            if (entry.shortcutKey) {
                EXPECT_TRUE(shortcuts.insert(entry.shortcutKey).second) << entry.caption;
                EXPECT_EQ(ShortcutText(entry), std::string("Ctrl+") + entry.shortcutKey);
            } else {
                EXPECT_EQ(ShortcutText(entry), "");
            }
        }
    }
    EXPECT_EQ(commands.size(), static_cast<size_t>(kMenuCommandCount));
    EXPECT_EQ(entries, static_cast<size_t>(kMenuCommandCount));
    const MenuEntry& exit = MenuBar().front().entries.back();
    EXPECT_EQ(exit.command, MenuCommand::FileExit);
    EXPECT_TRUE(exit.separatorBefore);
}

MemoryUsageRow StateRow(int common, int usage) {
    return MemoryUsageViewOf({"d.bin",
                              0,
                              0,
                              common,
                              {usage},
                              usage,
                              common + usage,
                              common + usage > kFirmwareOverlaySize})
        .rows[1];
}

TEST(UsageBar, TheNumberThenTheTrackWithTheCommonPartAndTheStatesOwn) {
    // A cell 300 wide at x 10: 4 padding, 6 digits of 7, 4 padding, the
    // track to 4 before the cell's end: 240 pixels for 900 bytes.
    UsageBar bar = LayOutUsageBar(StateRow(180, 90), {10, 20, 300, 24}, 7, 4);
    ASSERT_TRUE(bar.shown);
    EXPECT_EQ(bar.number, (Box{14, 20, 42, 24}));
    EXPECT_EQ(bar.track, (Box{60, 24, 246, 16}));
    EXPECT_EQ(bar.baseWidth, 49);   // 180 of 900 bytes of 246 pixels
    EXPECT_EQ(bar.usageWidth, 24);  // 270 of 900, less the base

    // Past the overlay the bar stops at the track's end.
    UsageBar over = LayOutUsageBar(StateRow(800, 300), {0, 0, 300, 24}, 7, 4);
    EXPECT_EQ(over.baseWidth + over.usageWidth, over.track.width);
    // Too narrow for a track: only the number.
    EXPECT_FALSE(LayOutUsageBar(StateRow(1, 1), {0, 0, 60, 24}, 7, 4).shown);
    EXPECT_EQ(UsageRowHeight(16, 4), 24);
}

TEST(UsageBar, ColoursAndWhatAScreenReaderSays) {
    EXPECT_EQ(TrackColour({255, 255, 255}), (Colour{240, 240, 240}));
    EXPECT_EQ(AccessibleUsage(StateRow(180, 90)),
              "State 0: 90 bytes, with the common section 270 of 900 bytes of the overlay");
    EXPECT_EQ(AccessibleUsage(StateRow(800, 300)),
              "State 0: 300 bytes, with the common section 1100 of 900 bytes of the overlay, "
              "exceeded");
    MemoryUsageView view = MemoryUsageViewOf({"d.bin", 0, 0, 100, {}, 0, 100, false});
    EXPECT_EQ(AccessibleUsage(view.rows[0]), "Common: 100 bytes, 100 of 900 bytes of the overlay");
}

}  // namespace
}  // namespace cuffware
