#include "app/command_line/headless.h"

#include <sstream>

#include "app/actions/file_commands.h"
#include "app/actions/program_settings.h"
#include "app/command_line/command_help.h"
#include "app/command_line/printing_user_port.h"
#include "platform/text_rules.h"
#include "project/path_field.h"

namespace cuffware {

Result<HeadlessArguments> ParseHeadlessArguments(const std::vector<std::string>& args) {
    HeadlessArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--version") {
            parsed.version = true;
        } else if (arg == "--quiet") {
            parsed.quiet = true;
        } else if (arg == "--json") {
            parsed.json = true;
        } else if (arg == "--settings") {
            if (i + 1 >= args.size())
                return Diagnostic{"", 0, "--settings needs a FILE"};
            parsed.settingsPath = args[++i];
        } else if (arg.rfind("--", 0) == 0 && parsed.command.empty()) {
            return Diagnostic{"", 0, "unknown option " + arg};
        } else if (parsed.command.empty()) {
            parsed.command = arg;
        } else {
            parsed.operands.push_back(arg);
        }
    }
    if (parsed.command.empty() && !parsed.help && !parsed.version)
        return Diagnostic{"", 0, "no COMMAND given"};
    return parsed;
}

namespace {

const HeadlessCommand* FindCommand(const std::string& name) {
    for (const HeadlessCommand& command : HeadlessCommands())
        if (name == command.name)
            return &command;
    return nullptr;
}

bool TakesScript(const HeadlessCommand& command) {
    return command.operands == CommandOperands::Script;
}

// "analyze", or "analyze, NAME": the commands that take --json.
std::string JsonCommands() {
    std::string names;
    for (const HeadlessCommand& command : HeadlessCommands())
        if (command.json)
            names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

// The paths of the command line pass the rule every path field passes: the
// settings file, the script, the demo's directory.
Status CheckCommandLinePaths(const HeadlessArguments& parsed, const HeadlessCommand& command) {
    if (Status settings = CheckPathField(parsed.settingsPath, "the settings file"); !settings)
        return settings;
    const bool demoDirectory = std::string_view(command.name) == "demo";
    if (!TakesScript(command) && !demoDirectory)
        return Status::Ok();
    for (const std::string& path : parsed.operands)
        if (Status field =
                CheckPathField(path, demoDirectory ? "the demo directory" : "the script");
            !field)
            return field;
    return Status::Ok();
}

}  // namespace

std::string OperandsText(const HeadlessCommand& command) {
    return TakesScript(command) ? "SCRIPT" : command.usage;
}

std::string HeadlessUsage() {
    std::ostringstream usage;
    usage << "Usage: cuffware [--settings FILE] COMMAND [ARGUMENT]\n"
             "\n"
             "The Q740 Cuffware Builder without its window: each command restores the\n"
             "builder script as File > Open does and runs the main window's action.\n"
             "Every status and message text is printed on its own line; refusals and\n"
             "errors go to standard error.\n"
             "\n"
             "Commands:\n";
    for (const HeadlessCommand& command : HeadlessCommands()) {
        std::string head = std::string(command.name) + " " + OperandsText(command);
        usage << "  " << head << std::string(head.size() < 18 ? 18 - head.size() : 1, ' ')
              << command.summary << "\n";
    }
    usage << "\n"
             "Options:\n"
             "  --settings FILE   read and write FILE instead of builder.ini beside the\n"
             "                    program (or in the user's settings directory when\n"
             "                    the program's directory is not to be written)\n"
             "  --version         the version and the settings file in use\n"
             "  --quiet           leave out the build batch's echo of each command and\n"
             "                    its \"Could Not Find\" lines\n"
             "  --json            analyze, test: print the report as JSON for scripts\n"
             "  --help            this text; COMMAND --help explains COMMAND\n"
             "\n"
             "Exit status: 0 success, 1 refusal or failure, 2 wrong arguments,\n"
             "3 from analyze when the code overlay is exceeded; build and download\n"
             "return the status of what they ran.\n";
    return usage.str();
}

int RunHeadless(const std::vector<std::string>& args, FileSystem& files, ProcessStarter& processes,
                std::ostream& out, std::ostream& err) {
    Result<HeadlessArguments> parsed = ParseHeadlessArguments(args);
    if (!parsed.ok()) {
        err << "cuffware: " << parsed.error().message << "\n\n" << HeadlessUsage();
        return kExitUsage;
    }
    const HeadlessCommand* command = FindCommand(parsed->command);
    if (parsed->help) {
        out << (command ? CommandHelp(*command) : HeadlessUsage());
        return kExitSuccess;
    }
    std::string settingsPath = ChosenSettingsFile(parsed->settingsPath);
    if (parsed->version) {
        out << VersionReport("cuffware", settingsPath);
        return kExitSuccess;
    }
    if (!command) {
        err << "cuffware: unknown command " << parsed->command << "\n\n" << HeadlessUsage();
        return kExitUsage;
    }
    if (parsed->json && !command->json) {
        err << "cuffware: --json is for " << JsonCommands() << " only\n";
        return kExitUsage;
    }
    if (TakesScript(*command) && parsed->operands.size() != 1) {
        err << "cuffware: " << command->name << " takes one SCRIPT\n";
        return kExitUsage;
    }
    if (Status paths = CheckCommandLinePaths(*parsed, *command); !paths) {
        err << "cuffware: " << paths.error().message << "\n";
        return kExitUsage;
    }

    // With --json standard output carries the report alone.
    PrintingUserPort user(parsed->json ? err : out, err);
    Workbench bench(files, processes, user);
    user.SetWarningsToErrors(true);  // what loading builder.ini warns about
    LoadWorkbench(bench, settingsPath);
    user.SetWarningsToErrors(false);
    if (TakesScript(*command) && !RestoreProjectScript(bench, parsed->operands.front()))
        return kExitFailure;
    HeadlessContext context{bench, *parsed, out, err, user};
    return command->run(context);
}

}  // namespace cuffware
