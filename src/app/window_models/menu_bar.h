#pragma once
// The main window's menus, their entries and keyboard shortcuts, for every
// front end alike. "&" in a caption marks the access key.

#include <span>
#include <string>

namespace cuffware {

enum class MenuCommand { FileNew, FileOpen, FileSave, FileExit, ToolsOptions, HelpAbout };
inline constexpr int kMenuCommandCount = 6;

struct MenuEntry {
    MenuCommand command;
    const char* caption;
    const char* name;      // what tests and accessibility tools find it by
    char shortcutKey;      // Ctrl + this letter, or 0 for none
    bool separatorBefore;  // a rule above the entry
};

struct Menu {
    const char* caption;
    const char* name;
    std::span<const MenuEntry> entries;
};

// The menu bar, left to right.
std::span<const Menu> MenuBar();

// "Ctrl+N" for an entry with a shortcut, "" for one without: the text a
// menu shows beside the caption and the key sequence a toolkit parses.
std::string ShortcutText(const MenuEntry& entry);

}  // namespace cuffware
