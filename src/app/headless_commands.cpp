// The table of the headless command's commands.

#include "app/file_commands.h"
#include "app/headless.h"

namespace cuffware {

namespace {

int Save(Workbench& bench, const HeadlessArguments&) {
    return SaveProjectScript(bench) ? kExitSuccess : kExitFailure;
}

}  // namespace

const std::vector<HeadlessCommand>& HeadlessCommands() {
    static const std::vector<HeadlessCommand> commands = {
        {"save", "SCRIPT", "restore SCRIPT and save it again (File > Save)", Save},
    };
    return commands;
}

}  // namespace cuffware
