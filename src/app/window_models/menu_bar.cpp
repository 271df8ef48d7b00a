#include "app/window_models/menu_bar.h"

namespace cuffware {

namespace {

constexpr MenuEntry kFileEntries[] = {
    {MenuCommand::FileNew, "&New", "MenuFileNew", 'N', false},
    {MenuCommand::FileOpen, "&Open...", "MenuFileOpen", 'O', false},
    {MenuCommand::FileSave, "&Save", "MenuFileSave", 'S', false},
    {MenuCommand::FileExit, "E&xit", "MenuFileExit", 'Q', true},
};
constexpr MenuEntry kToolsEntries[] = {
    {MenuCommand::ToolsOptions, "&Options...", "MenuToolsOptions", 0, false},
};
constexpr MenuEntry kHelpEntries[] = {
    {MenuCommand::HelpAbout, "&About ", "MenuHelpAbout", 0, false},
};

constexpr Menu kMenus[] = {
    {"&File", "MenuFile", kFileEntries},
    {"&Tools", "MenuTools", kToolsEntries},
    {"&Help", "MenuHelp", kHelpEntries},
};

}  // namespace

std::span<const Menu> MenuBar() {
    return kMenus;
}

std::string ShortcutText(const MenuEntry& entry) {
    return entry.shortcutKey ? std::string("Ctrl+") + entry.shortcutKey : std::string();
}

}  // namespace cuffware
