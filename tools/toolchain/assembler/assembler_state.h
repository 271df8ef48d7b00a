// The assembler's state across its two passes, and the member functions
// each assembler_*.cpp file defines: an internal header of the assembler.
#pragma once

#include "toolchain/assembler/assembler.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <set>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "toolchain/assembler/error_log.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/listing.h"
#include "toolchain/assembler/local_labels.h"
#include "toolchain/assembler/macro_body.h"
#include "toolchain/assembler/name_suggestion.h"
#include "toolchain/assembler/quoted_text.h"
#include "toolchain/assembler/section_table.h"
#include "toolchain/assembler/source_files.h"
#include "toolchain/assembler/source_line.h"
#include "toolchain/assembler/source_text.h"
#include "toolchain/assembler/symbol.h"
#include "toolchain/assembler/symbol_table.h"
#include "toolchain/isa/encoder.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/object/alignment.h"

namespace cuffware::toolchain::assembler_internal {

inline constexpr int kMaxMacroDepth = 32;
inline constexpr size_t kMaxEquateDepth = 256;
// Bounds that keep a run's time and memory in proportion: macros that use
// macros could otherwise multiply lines without end, and sections without
// AT could each take the whole address space.
inline constexpr size_t kMaxExpandedLines = 1 << 17;
inline constexpr size_t kMaxExpandedBytes = 8 << 20;
// A section's bytes fit one bank: the 16-bit logical space an instruction
// sees.
inline constexpr long long kMaxSectionBytes = 0x10000;
// Marks a failure that follows from one already reported (a use of a name
// whose definition failed), so it is not reported again.
inline constexpr std::string_view kAlreadyReported = "\x01already reported";
inline constexpr long long kMaxModuleBytes = 16 << 20;
inline constexpr long long kAddressLimit = 0x1000000;  // 24-bit addresses

struct Macro {
    std::vector<std::string> parameters;
    std::vector<SourceLine> body;
};

// One IF level: whether the lines before it are assembled, whether its
// branch is taken, and whether ELSE was seen.
struct Condition {
    bool outerActive;
    bool taken;
    bool inElse;
    const SourceLine* where;
};

enum class Pass { kPlace, kEmit };

class Assembler {
  public:
    Assembler(const SourceReader& read, bool withListing)
        : sources_(read), withListing_(withListing) {}
    // The symbol lookup is kept once, bound to this assembler.
    Assembler(const Assembler&) = delete;
    Assembler& operator=(const Assembler&) = delete;

    AssemblyReport Run(const std::string& sourceName);

  private:
    // A failure carries its reason back to the line being assembled, which
    // records it; its path and line are not read again.
    Diagnostic At(const SourceLine& line, std::string message) const;

    // Keeps an error for the report, once (the two passes may meet the same
    // one), unless it follows from one already reported.
    // Keeps an error for the report, unless it follows from one already
    // reported.
    void Record(const SourceLine& line, const std::string& reason,
                SourceMessage::Severity severity = SourceMessage::kError);

    // For an undefined symbol, a defined one of another case or one edit
    // away: "; did you mean 'ShowTitle'?".
    std::string Suggestion(const std::string& reason) const;

    void Record(const SourceLine& line, const Status& status);

    // A bound of the run is reached: the error is reported and nothing more
    // is read or assembled.
    void Stop(const SourceLine& line, const std::string& reason);

    void RecordForFile(std::string reason);

    AssemblyReport Report();

    std::string Where(size_t file, int number) const;

    std::string Key(const std::string& name) const;

    void RunPass(Pass pass);

    bool Active() const;

    static bool Assembling(const Condition& c);

    // IF, ELSE or ENDIF, in any case.
    static bool IsConditional(std::string_view keyword);

    // Assembles the lines one by one; a line that fails is recorded and the
    // next one assembled, so one run reports every error.
    void ProcessLines(std::span<const SourceLine> lines, int macroDepth);

    // A line that failed may have been meant to define a name; uses of that
    // name further on are not reported again.
    void ForgetFailedName(const Statement& statement);

    Status Conditional(const std::string& keyword, const std::string& operands,
                       const SourceLine& line);

    // Keeps the lines up to the matching ENDM as the macro's body; gives the
    // index of the ENDM line (the last line when there is none).
    size_t DefineMacro(const Statement& statement, std::span<const SourceLine> lines, size_t start);

    const Macro* FindMacro(const std::string& name) const;

    // The macro's body with each parameter, as a whole word, replaced by
    // the argument written in its place.
    Status Expand(const Macro& macro, const Statement& statement, const SourceLine& line,
                  int macroDepth);

    // Counts the lines macros and REPT blocks expand to; past the bound the
    // run stops.
    bool TakeExpandedLines(size_t count, const SourceLine& line);

    // One use of a macro's or a REPT block's body (at the line that uses it),
    // in the current $CASE mode; past the bound of the text they expand to
    // the run stops. The lines take the place of the use when takePlace.
    Result<std::vector<SourceLine>> ExpandUse(std::span<const SourceLine> body, BodyUse use,
                                              const SourceLine& line, bool takePlace);

    // REPT count ... ENDR: the block's lines count times over. An ENDR or a
    // LOCAL line that no REPT block or macro body takes is refused. Gives the
    // index of the block's ENDR line (the last line when there is none).
    size_t Repeat(const Statement& statement, std::span<const SourceLine> lines, size_t start,
                  int macroDepth);

    Status RepeatBlock(const Statement& statement, std::span<const SourceLine> body,
                       const SourceLine& line, int macroDepth);

    static std::string NestedTooDeep();

    Status Process(const Statement& statement, const SourceLine& line, int macroDepth);

    // The directives, each listed once: what it does and whether only the
    // first pass does it. Those without a handler give bytes (DB, DW, DS)
    // and go the way instructions go.
    using DirectiveHandler = Status (Assembler::*)(const std::string& keyword,
                                                   const std::string& operands,
                                                   const SourceLine& line);
    struct DirectiveRule {
        std::string_view name;
        DirectiveHandler handler;
        bool firstPassOnly;
    };

    static const DirectiveRule* FindDirective(const std::string& name);

    static bool IsKeyword(const std::string& name);

    // ALIGN came after sources that named macros so; such a macro is still
    // defined, and used in its place.
    static bool IsReservedName(const std::string& name);

    // The directives that give bytes of data, not an instruction's.
    static bool GivesData(std::string_view keyword);

    Status End(const std::string&, const std::string&, const SourceLine&);

    Status StrayEndm(const std::string&, const std::string&, const SourceLine& line);

    Status Control(const Statement& statement, const SourceLine& line);

    Status Definition(const Statement& statement, const SourceLine& line);

    Status Directive(const Statement& statement, const SourceLine& line);

    // A failed instruction's message, with what was probably meant.
    std::string Taught(const std::string& keyword, const Statement& statement,
                       const SourceLine& line, const std::string& message);

    static bool IsRegisterIn(const std::string& message);

    static std::string JoinOperands(const std::vector<std::string>& operands);

    Result<Encoded> Encode(const std::string& keyword, const Statement& statement,
                           const SourceLine& line, const ExpressionReader& read);

    void Emit(const Encoded& encoded, const SourceLine& line);

    Status DefineSection(const std::string&, const std::string& operands, const SourceLine& line);

    // DEFSECT ... AT address and ALIGN alignment.
    Status PlaceSection(Section& section, const SectionAttributes& attributes,
                        const SourceLine& line);

    // Two sections of this source fixed at places that share a byte.
    void CheckOverlaps();

    Status SelectSection(const std::string&, const std::string& operands, const SourceLine& line);

    Status Declare(const std::string& keyword, const std::string& operands, const SourceLine& line);

    Result<Encoded> Data(const std::string& keyword, const std::string& operands,
                         const SourceLine& line, const ExpressionReader& read);

    // One value (or string) of a DB or DW line, added to its bytes.
    Status DataItem(const std::string& keyword, std::string_view item, const SourceLine& line,
                    const ExpressionReader& read, Encoded& encoded);

    Result<Encoded> Space(const std::string& operands, const SourceLine& line);

    // Zero bytes up to the next multiple of the alignment. In a section that
    // lc88 places, the section is aligned to it as well.
    Result<Encoded> Align(const std::string& operands, const SourceLine& line);

    Result<long long> Alignment(std::string_view expression, const SourceLine& line,
                                const std::string& what);

    // Operand values: in the first pass only the sizes matter, so nothing is
    // evaluated yet; in the second every value is read at this line.
    ExpressionReader Reader(const SourceLine& line);

    static ExpressionReader Placeholders();

    long long Address() const;

    // The address of the next byte when its section has a fixed place.
    std::optional<long long> PlacedAddress() const;

    // The address of the next byte of the current section: a number when the
    // section has its place, else an offset from its base.
    toolchain::Value Here() const;

    Status Enter(const std::string& name, Symbol symbol);

    // Gives every equate its value, so one that refers to nothing known is
    // reported at its own line.
    void ResolveEquates();

    // The first name in an expression that is no symbol (yet).
    std::optional<std::string> FirstUnknownName(std::string_view expression) const;

    static bool IsFunctionName(const std::string& name);

    // Names used where their value must be known, before the line that
    // defines them: an error either way, which says where the name is
    // defined when it is.
    void ReportForwardUses();

    // The values the SET symbols named in an equate's expression have at its
    // line.
    std::map<std::string, toolchain::Value> SetValuesIn(std::string_view expression) const;

    Result<toolchain::Value> Resolve(Symbol& symbol);

    const SymbolLookup& Lookup();
    Result<toolchain::Value> NamedValue(const std::string& name);

    std::string UndefinedMessage(const std::string& name) const;

    // A value that must be known at its line (IF, DS, DEFSECT ... AT). A
    // name defined further on is reported after the first pass, with where
    // it is defined; the second pass leaves the line as the first did.
    Result<long long> KnownValue(std::string_view expression, const SourceLine& line,
                                 const std::string& what);

    void Declarations();

    Status Declaration(const DeclaredName& global);

    bool Listing() const { return withListing_ && pass_ == Pass::kEmit && listOn_; }

    // Records a listed line; its bytes (and address) are those the current
    // section takes from here when address is given.
    void ListLine(const SourceLine& line, std::optional<long long> address, std::string_view bytes,
                  const std::string& cycles = {});

    SourceFiles sources_;
    bool withListing_;
    SymbolLookup lookup_ = [this](const std::string& name) { return NamedValue(name); };
    std::deque<std::vector<SourceLine>> expansions_;
    std::deque<std::string> expandedTexts_;  // which the expanded lines view
    // In the order they are defined; Suggestion() picks by key, not by that.
    SymbolTable symbols_;
    std::map<std::string, Macro> macros_;
    std::map<std::string, int> uses_;  // of each macro and of REPT, for LOCAL names
    LabelScope scope_;
    std::vector<Symbol*> order_;
    std::vector<const Symbol*> resolving_;  // the equates being resolved, innermost last
    std::vector<DeclaredName> globals_;
    std::vector<DeclaredName> externs_;
    std::set<std::string> externKeys_;
    std::vector<Condition> conditions_;
    SectionTable sections_;
    ErrorLog log_;
    std::set<std::string> failedNames_;
    std::vector<ForwardUse> forwardUses_;
    std::set<std::pair<size_t, std::string>> refusedLines_;
    bool stopped_ = false;
    bool stoppedAtLimit_ = false;
    size_t expandedBytes_ = 0;
    std::vector<long long> offsets_;
    std::optional<size_t> current_;
    size_t expandedLines_ = 0;
    long long moduleBytes_ = 0;
    bool caseSensitive_ = false;
    bool listOn_ = true;
    Pass pass_ = Pass::kPlace;
    ObjectModule module_;
};

}  // namespace cuffware::toolchain::assembler_internal
