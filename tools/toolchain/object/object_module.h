#pragma once
// What as88 writes (.obj) and lk88 writes (.out): sections with their bytes
// and the fields still to fill, global symbols and, in an object, the names
// it needs from other modules. Both are CR LF text with a first line naming
// the stage:
//   AS88 OBJECT 2 | LK88 LINKED 2
//   SOURCE common.asm
//   SECTION .text CODE 010000 500        (name, kind, hex address or "-" when
//                                          the locator places it, decimal size,
//                                          and "ALIGN n" when n is above 1)
//   BYTES 0000 CE40CE...                 (hex offset, up to 32 bytes in hex)
//   RELOC 0012 WORD @1 -4 LOW clock.asm:12<TAB>LD A,#nn
//                                         (field offset and kind, the base: a
//                                          symbol, @N for section N or - for
//                                          none; the addend; the part; where
//                                          and what, for messages)
//   GLOBAL CommonCodeEnd - 0101F4        (name; - for a number, @N for an
//                                          offset in section N; hex value)
//   EXTERN SoundPlay
//   LABEL ClockShow @0 0012                (every label: name, section, hex offset)
//   LISTFILE clock.asm                     (with -l: the files of the listing, by
//   LIST 0 12 @0 0010 3 3/2<TAB>text          number; each listed line: file, line,
//                                            section or -, hex offset, byte count,
//                                            cycles or -, and the source text)
//   MODULE 0 2 clock.obj                   (in a linked module: the sections that
//                                            came from each object, first and count)
//   END
// BYTES and RELOC lines belong to the SECTION line before them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/isa/hex_text.h"
#include "toolchain/isa/machine_field.h"

namespace cuffware::toolchain {

// A field whose value is base + addend (or a part of it).
struct Relocation {
    size_t offset = 0;
    FieldKind kind = FieldKind::kByte;
    std::string base;  // a symbol's name, "@N" for section N, or empty for none
    long long addend = 0;
    ValuePart part = ValuePart::kWhole;
    std::string where;  // "clock.asm:12"
    std::string what;   // "LD A,#nn"
};

struct Section {
    std::string name;
    std::string kind = "CODE";         // CODE or DATA
    std::optional<long long> address;  // from AT, or none when the locator places it
    std::string bytes;
    std::vector<Relocation> relocations;
    long long alignment = 1;  // the locator places it at a multiple of this
};

struct GlobalSymbol {
    std::string name;
    long long value = 0;
    std::optional<size_t> section;  // the value is an offset in this section
};

// A label of the source, global or not, at an offset in its section.
struct Label {
    std::string name;
    size_t section = 0;
    long long offset = 0;
};

// One line of the listing: where it came from, the bytes it gave (size bytes
// at offset in section) and, for an instruction, its cycles ("3", or "3/2"
// taken/not taken).
struct ListedLine {
    size_t file = 0;  // index into ObjectModule::listedFiles
    int line = 0;
    std::optional<size_t> section;  // none: a line that gives no bytes and has no address
    size_t offset = 0;
    size_t size = 0;
    std::string cycles;
    std::string text;
};

// The sections of a linked module that came from one object.
struct ModuleOrigin {
    std::string object;  // the object's name as lk88 was given it
    size_t firstSection = 0;
    size_t sectionCount = 0;
};

struct ObjectModule {
    std::string source;
    std::vector<Section> sections;
    std::vector<GlobalSymbol> globals;
    std::vector<std::string> externs;
    std::vector<Label> labels;
    std::vector<std::string> listedFiles;
    std::vector<ListedLine> listing;
    std::vector<ModuleOrigin> origins;  // a linked module's; empty in an object
};

// "@N", the base that stands for section N's address.
std::string SectionBase(size_t section);
// N for "@N", or nullopt for any other base.
std::optional<size_t> SectionOfBase(std::string_view base);

enum class ModuleStage { kObject, kLinked };

std::string FormatModule(const ObjectModule& module, ModuleStage stage);

// Reads a module back; fileName names it in diagnostics. A text of the
// other stage, a malformed line, a section that does not add up to its size
// or a reference to a section that is not there fails with the line.
// Which labels a reader keeps: all, or, for one that needs none (lc88
// reading an object for its listing), only those naming a section not read
// yet: the only ones the checks at the end could refuse, so the reader
// fails as with all kept.
enum class LabelsKept { kAll, kOnlyUnchecked };

Result<ObjectModule> ParseModule(std::string_view text, ModuleStage stage,
                                 const std::string& fileName,
                                 LabelsKept labelsKept = LabelsKept::kAll);

// Space, tab, line and page breaks; the blanks within a source line.
constexpr std::string_view kBlanks = " \t\n\v\f\r";
constexpr std::string_view kSpaceOrTab = " \t";

// The words of a line between blanks, as views into the line.
std::vector<std::string_view> WordsIn(std::string_view line, std::string_view blanks = kBlanks);

// The words of a line between kBlanks.
std::vector<std::string> Words(std::string_view line);

}  // namespace cuffware::toolchain
