#pragma once
// The entry of each tool program: args without the program name; the
// result is the exit status (0 success, 1 failure). Each one prints a short
// line of what it did, or "FILE:LINE: error: reason" on the error stream (as88:
// every error as "FILE:LINE:COLUMN: error: reason", then the count); a failed
// run leaves no output file under the name it would have written.

#include <span>
#include <string>

#include "toolchain/programs/tool_context.h"

namespace cuffware::toolchain {

// Every entry below has this type.
using ToolEntry = int (*)(std::span<const std::string>, const ToolContext&);

// as88 NAME.asm -fascmd.cmd: writes NAME.obj (and NAME.lst with -l).
int RunAs88(std::span<const std::string> args, const ToolContext& context);

// lk88 NAME.obj [MORE.obj...] -o NAME.out -flkcmd.cmd: links, writes NAME.out.
int RunLk88(std::span<const std::string> args, const ToolContext& context);

// lc88 NAME.out -o NAME.sre -flccmd.cmd: writes NAME.sre and NAME.map.
int RunLc88(std::span<const std::string> args, const ToolContext& context);

// dis88 FILE [-bADDRESS] [--map[=MAP]] [--equ=FILE] [--listing]: prints the
// instructions of an S-record file or an image, as as88 source by default.
int RunDis88(std::span<const std::string> args, const ToolContext& context);

// maplist NAME.map: writes NAME.sy.
int RunMaplist(std::span<const std::string> args, const ToolContext& context);

// labelset NAME.sy: writes NAME.equ.
int RunLabelset(std::span<const std::string> args, const ToolContext& context);

}  // namespace cuffware::toolchain
