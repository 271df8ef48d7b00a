#include <array>

#include "toolchain/linker/linker.h"
#include "toolchain/object/object_module.h"
#include "toolchain/programs/description_file.h"
#include "toolchain/programs/tool_help.h"
#include "toolchain/programs/tools.h"

namespace cuffware::toolchain {

namespace {

constexpr std::array<OptionRule, 8> kOptions = {{
    {"-d", OptionArgument::kText, "processor description file (optional); must be found"},
    {"-M", OptionArgument::kNone, "link map; none is written"},
    {"-L", OptionArgument::kNone, "no default libraries (none exist)"},
    {"-e", OptionArgument::kNone, "no output on errors (always so)"},
    {"-N", OptionArgument::kNone, "no symbol table in the output"},
    {"-w", OptionArgument::kNumber, "suppress warning n"},
    {"-err", OptionArgument::kNone, "errors to a file; they go to the error stream"},
    {"-v", OptionArgument::kNone, "verbose; the one summary line is printed anyway"},
}};

constexpr ToolDescription kTool{
    "lk88",
    "the linker of our toolchain for the S1C88 core",
    "lk88 NAME.obj [MORE.obj...] -o NAME.out [-fOPTIONFILE] [options]",
    "Links objects of as88: joins their sections and resolves each EXTERN to the\n"
    "one GLOBAL of that name in another module, naming an undefined or twice\n"
    "defined symbol with the files, and writes NAME.out for lc88. -d is optional:\n"
    "a processor description file given is looked for (working directory, then\n"
    "../etc beside the program) and must name an S1C88. On an error prints\n"
    "FILE:LINE: error: reason (the source line where the object records it) and writes\n"
    "no output.\n",
    kOptions,
    true,
    true,
};

std::vector<std::string> Outputs(const CommandLine& commandLine) {
    return {commandLine.output.empty() ? WithExtension(commandLine.inputs[0], ".out")
                                       : commandLine.output};
}

int LinkObjects(const CommandLine& commandLine, std::span<const std::string> outputs,
                const ToolContext& context) {
    const std::string& object = commandLine.inputs[0];
    const std::string& output = outputs[0];
    if (Status description = CheckDescriptionFile(context, commandLine); !description)
        return Fail(context, description.error());

    std::vector<LinkInput> inputs;
    for (const std::string& input : commandLine.inputs) {
        Result<ObjectModule> module = ReadModule(context, input, ModuleStage::kObject);
        if (!module)
            return Fail(context, module.error());
        inputs.push_back({input, std::move(*module)});
    }
    const size_t objects = inputs.size();
    Result<ObjectModule> linked = Link(std::move(inputs));
    if (!linked)
        return Fail(context, linked.error());
    if (Status written = WriteOutput(context, output, FormatModule(*linked, ModuleStage::kLinked));
        !written)
        return Fail(context, written.error());
    context.out << "lk88: " << object << (objects > 1 ? " and others" : "") << " -> " << output
                << ": " << linked->sections.size()
                << (linked->sections.size() == 1 ? " section\n" : " sections\n");
    return 0;
}

}  // namespace

int RunLk88(std::span<const std::string> args, const ToolContext& context) {
    return RunTool(kTool, args, context, Outputs, LinkObjects);
}

}  // namespace cuffware::toolchain
