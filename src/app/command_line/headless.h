#pragma once
// The headless command: cuffware [--settings FILE] COMMAND [ARGUMENT]

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/actions/workbench.h"
#include "app/command_line/printing_user_port.h"
#include "platform/result.h"

namespace cuffware {

// Exit statuses of the headless command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitOverlayExceeded = 3;

struct HeadlessArguments {
    std::string settingsPath;  // empty: SettingsFileFor the program's directory
    std::string command;       // empty with help or version
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
    bool quiet = false;  // --quiet: no batch echo, no "Could Not Find"
    bool json = false;   // --json: analyze prints its report as JSON
};

// The arguments after the program name.
Result<HeadlessArguments> ParseHeadlessArguments(const std::vector<std::string>& args);

// What a command runs with: a loaded Workbench (for a SCRIPT command the
// script has been restored), its arguments and the output streams.
struct HeadlessContext {
    Workbench& bench;
    const HeadlessArguments& args;
    std::ostream& out;
    std::ostream& err;
    const PrintingUserPort& printed;  // what the actions have shown so far
    // Printed before "cuffware" in a command line to paste, already quoted
    // (the demo's WINEPREFIX=DIR off Windows); empty for most runs.
    std::string commandPrefix = {};
};

// What a command takes after its name.
enum class CommandOperands {
    Script,  // one builder script, restored before the command runs
    Own,     // what the row's usage shows; the command reads them itself
};

// One command: what it is called, what it takes, what it runs and what its
// --help says.
struct HeadlessCommand {
    const char* name;
    CommandOperands operands;
    const char* usage;  // Own: "[DIR]", "FOLDER [--states N]" or ""
    bool json;          // takes --json
    const char* summary;
    int (*run)(HeadlessContext& context);  // returns the exit status
    const char* help;                      // COMMAND --help, below the usage and summary
};

// The commands, in the order --help lists them.
const std::vector<HeadlessCommand>& HeadlessCommands();

// What the usage line shows after the command's name: "SCRIPT", "[DIR]", "".
std::string OperandsText(const HeadlessCommand& command);

std::string HeadlessUsage();

// Everything the command does, with its streams and ports given.
int RunHeadless(const std::vector<std::string>& args, FileSystem& files, ProcessStarter& processes,
                std::ostream& out, std::ostream& err);

}  // namespace cuffware
