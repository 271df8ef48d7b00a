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
#include "toolchain/isa/encoder.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/object/alignment.h"

namespace cuffware::toolchain {

namespace {

constexpr int kMaxMacroDepth = 32;
constexpr size_t kMaxEquateDepth = 256;
// Bounds that keep a run's time and memory in proportion: macros that use
// macros could otherwise multiply lines without end, and sections without
// AT could each take the whole address space.
constexpr size_t kMaxExpandedLines = 1 << 17;
constexpr size_t kMaxExpandedBytes = 8 << 20;
// A section's bytes fit one bank: the 16-bit logical space an instruction
// sees.
constexpr long long kMaxSectionBytes = 0x10000;
// Marks a failure that follows from one already reported (a use of a name
// whose definition failed), so it is not reported again.
constexpr std::string_view kAlreadyReported = "\x01already reported";
constexpr long long kMaxModuleBytes = 16 << 20;
constexpr long long kAddressLimit = 0x1000000;  // 24-bit addresses

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

    AssemblyReport Run(const std::string& sourceName) {
        sources_.Load(sourceName);
        if (const std::optional<std::string>& failure = sources_.SourceFailure())
            log_.AddForFile({SourceMessage::kError, sourceName, 0, 0, *failure, {}});
        for (const SourceFiles::Problem& problem : sources_.Problems()) {
            if (!stopped_)
                Record(problem.line, problem.reason);
        }
        stopped_ = stopped_ || sources_.Stopped();
        for (Pass pass : {Pass::kPlace, Pass::kEmit}) {
            if (!stopped_)
                RunPass(pass);
            if (pass == Pass::kPlace && !stopped_) {
                CheckOverlaps();
                ResolveEquates();
                ReportForwardUses();
            }
        }
        if (log_.Errors() == 0 && module_.sections.empty() && !sources_.Files().empty())
            RecordForFile("no section defined (DEFSECT)");
        module_.source = sourceName;
        if (!stopped_)
            Declarations();
        return Report();
    }

  private:
    // A failure carries its reason back to the line being assembled, which
    // records it; its path and line are not read again.
    Diagnostic At(const SourceLine& line, std::string message) const {
        return Diagnostic{sources_.Files()[line.file].name, line.number, std::move(message)};
    }

    // Keeps an error for the report, once (the two passes may meet the same
    // one), unless it follows from one already reported.
    // Keeps an error for the report, unless it follows from one already
    // reported.
    void Record(const SourceLine& line, const std::string& reason,
                SourceMessage::Severity severity = SourceMessage::kError) {
        if (log_.Full() || reason.find(kAlreadyReported) != std::string::npos)
            return;
        log_.Add(line.order, line.number, line.text,
                 {severity, sources_.Files()[line.file].name, line.number,
                  MessageColumn(line.text, reason), reason + Suggestion(reason),
                  sources_.IncludedFrom(line)});
        if (log_.Full()) {
            stopped_ = true;
            stoppedAtLimit_ = true;
        }
    }

    // For an undefined symbol, a defined one of another case or one edit
    // away: "; did you mean 'ShowTitle'?".
    std::string Suggestion(const std::string& reason) const {
        static constexpr std::string_view kUndefined = "undefined symbol '";
        if (!reason.starts_with(kUndefined) || !reason.ends_with("'"))
            return {};
        std::string name = reason.substr(kUndefined.size(), reason.size() - kUndefined.size() - 1);
        for (const auto& [key, symbol] : symbols_) {
            if (LooksLike(name, symbol.name))
                return "; did you mean " + Quoted(symbol.name) + "?";
        }
        return {};
    }

    void Record(const SourceLine& line, const Status& status) {
        if (!status)
            Record(line, status.error().message);
    }

    // A bound of the run is reached: the error is reported and nothing more
    // is read or assembled.
    void Stop(const SourceLine& line, const std::string& reason) {
        Record(line, reason);
        stopped_ = true;
    }

    void RecordForFile(std::string reason) {
        log_.AddForFile(
            {SourceMessage::kError, sources_.Files()[0].name, 0, 0, std::move(reason), {}});
    }

    AssemblyReport Report() {
        AssemblyReport report;
        report.messages = log_.InLineOrder();
        report.errors = log_.Errors();
        report.stoppedAtLimit = stoppedAtLimit_;
        if (report.errors != 0)
            return report;
        std::string listing;
        if (withListing_) {
            for (const SourceFile& file : sources_.Files())
                module_.listedFiles.push_back(file.name);
            listing = FormatListing(module_);
        }
        report.assembly = Assembly{std::move(module_), std::move(listing)};
        return report;
    }

    std::string Where(size_t file, int number) const { return sources_.Where(file, number); }

    std::string Key(const std::string& name) const {
        return caseSensitive_ ? name : ToUpperAscii(name);
    }

    void RunPass(Pass pass) {
        caseSensitive_ = false;
        listOn_ = true;
        current_.reset();
        offsets_.assign(sections_.Count(), 0);
        conditions_.clear();
        expandedLines_ = 0;
        expandedBytes_ = 0;
        moduleBytes_ = 0;
        scope_.Reset();
        uses_.clear();
        pass_ = pass;
        ProcessLines(sources_.Lines(), 0);
        if (!conditions_.empty() && !stopped_)
            Record(*conditions_.back().where, "IF without ENDIF");
    }

    bool Active() const { return conditions_.empty() || Assembling(conditions_.back()); }

    static bool Assembling(const Condition& c) { return c.outerActive && c.taken != c.inElse; }

    // Assembles the lines one by one; a line that fails is recorded and the
    // next one assembled, so one run reports every error.
    void ProcessLines(std::span<const SourceLine> lines, int macroDepth) {
        for (size_t i = 0; i < lines.size() && !stopped_; ++i) {
            const SourceLine& line = lines[i];
            Result<Statement> statement = ReadStatement(line.text);
            if (!statement) {
                Record(line, statement.error().message);
                continue;
            }
            if (Active()) {
                bool usesMacro = !statement->name.empty() && FindMacro(statement->name);
                if (Status qualified = scope_.Qualify(*statement, usesMacro); !qualified) {
                    ForgetFailedName(*statement);
                    Record(line, qualified);
                    continue;
                }
            }
            std::string keyword = ToUpperAscii(statement->name);
            if (statement->kind == Statement::kOther &&
                (keyword == "IF" || keyword == "ELSE" || keyword == "ENDIF")) {
                Record(line, Conditional(keyword, statement->operands, line));
                ListLine(line, std::nullopt, {});
                continue;
            }
            if (!Active())
                continue;
            if (statement->kind != Statement::kControl && UnclosedQuote(line.text)) {
                Record(line, "unterminated string");
                continue;
            }
            if (statement->kind == Statement::kDefinition && statement->definer == "MACRO") {
                i = DefineMacro(*statement, lines, i);
                continue;
            }
            if (statement->kind == Statement::kOther && IsBodyKeyword(keyword) &&
                !FindMacro(keyword)) {
                i = Repeat(*statement, lines, i, macroDepth);
                continue;
            }
            Status done = Process(*statement, line, macroDepth);
            if (!done) {
                ForgetFailedName(*statement);
                Record(line, done);
            }
        }
    }

    // A line that failed may have been meant to define a name; uses of that
    // name further on are not reported again.
    void ForgetFailedName(const Statement& statement) {
        if (statement.kind == Statement::kDefinition && !symbols_.count(Key(statement.name)))
            failedNames_.insert(Key(statement.name));
        if (statement.kind == Statement::kOther && IsIdentifier(statement.name) &&
            !IsKeyword(statement.name) && !FindMacro(statement.name))
            failedNames_.insert(Key(statement.name));
    }

    Status Conditional(const std::string& keyword, const std::string& operands,
                       const SourceLine& line) {
        if (keyword == "IF") {
            // An IF that cannot be read counts as false, so its lines are
            // neither assembled nor reported.
            Result<long long> value = Active() ? KnownValue(operands, line, "IF") : 0LL;
            conditions_.push_back({Active(), value && *value != 0, false, &line});
            return StatusOf(value);
        }
        if (conditions_.empty())
            return At(line, keyword + " without IF");
        if (keyword == "ELSE") {
            if (conditions_.back().inElse)
                return At(line, "second ELSE for one IF");
            conditions_.back().inElse = true;
        } else {
            conditions_.pop_back();
        }
        return Status::Ok();
    }

    // Keeps the lines up to the matching ENDM as the macro's body; gives the
    // index of the ENDM line (the last line when there is none).
    size_t DefineMacro(const Statement& statement, std::span<const SourceLine> lines,
                       size_t start) {
        Macro macro;
        size_t end = start + 1;
        for (int depth = 1; end < lines.size(); ++end) {
            Result<Statement> inner = ReadStatement(lines[end].text);
            if (inner && inner->kind == Statement::kDefinition && inner->definer == "MACRO")
                ++depth;
            if (inner && inner->kind == Statement::kOther &&
                EqualsIgnoreCase(inner->name, "ENDM") && --depth == 0)
                break;
            macro.body.push_back(lines[end]);
        }
        const SourceLine& line = lines[start];
        if (end == lines.size()) {
            Record(line, "MACRO without ENDM");
            return end;
        }
        for (const std::string& parameter : SplitList(statement.operands)) {
            if (!parameter.empty() && !IsIdentifier(parameter))
                Record(line, "bad macro parameter " + Quoted(parameter));
            else if (!parameter.empty())
                macro.parameters.push_back(parameter);
        }
        if (pass_ == Pass::kPlace) {
            std::string key = Key(statement.name);
            if (macros_.count(key) || IsReservedName(statement.name))
                Record(line, "macro " + Quoted(statement.name) + " already defined");
            else
                macros_[key] = std::move(macro);
        }
        return end;
    }

    const Macro* FindMacro(const std::string& name) const {
        auto it = macros_.find(Key(name));
        return it == macros_.end() ? nullptr : &it->second;
    }

    // The macro's body with each parameter, as a whole word, replaced by
    // the argument written in its place.
    Status Expand(const Macro& macro, const Statement& statement, const SourceLine& line,
                  int macroDepth) {
        if (macroDepth >= kMaxMacroDepth)
            return At(line, NestedTooDeep());
        std::vector<std::string> arguments =
            statement.operands.empty() ? std::vector<std::string>{} : SplitList(statement.operands);
        if (arguments.size() > macro.parameters.size())
            return At(line,
                      "macro " + Quoted(statement.name) + " takes " +
                          std::to_string(macro.parameters.size()) +
                          (macro.parameters.size() == 1 ? " argument, not " : " arguments, not ") +
                          std::to_string(arguments.size()));
        arguments.resize(macro.parameters.size());
        if (!TakeExpandedLines(macro.body.size(), line))
            return Status::Ok();
        BodyUse use{macro.parameters, std::move(arguments), statement.name,
                    ++uses_[Key(statement.name)]};
        Result<std::vector<SourceLine>> expanded = ExpandUse(macro.body, use, line, true);
        if (!expanded)
            return expanded.error();
        ProcessLines(expansions_.emplace_back(std::move(*expanded)), macroDepth + 1);
        return Status::Ok();
    }

    // Counts the lines macros and REPT blocks expand to; past the bound the
    // run stops.
    bool TakeExpandedLines(size_t count, const SourceLine& line) {
        expandedLines_ += count;
        if (expandedLines_ <= kMaxExpandedLines)
            return true;
        Stop(line, "macros and REPT blocks expand to more than " +
                       std::to_string(kMaxExpandedLines) + " lines");
        return false;
    }

    // One use of a macro's or a REPT block's body (at the line that uses it),
    // in the current $CASE mode; past the bound of the text they expand to
    // the run stops. The lines take the place of the use when takePlace.
    Result<std::vector<SourceLine>> ExpandUse(std::span<const SourceLine> body, BodyUse use,
                                              const SourceLine& line, bool takePlace) {
        use.caseSensitive = caseSensitive_;
        use.readsLocal = !FindMacro("LOCAL");
        use.bytesLeft = kMaxExpandedBytes - expandedBytes_;
        Result<ExpandedBody> expanded = ExpandBody(body, use, takePlace ? &line : nullptr);
        if (!expanded)
            return expanded.error();
        expandedBytes_ += expanded->bytes;
        if (expanded->overBytes) {
            Stop(line, "macros and REPT blocks expand to more than " +
                           std::to_string(kMaxExpandedBytes) + " bytes");
            return Diagnostic{{}, 0, std::string(kAlreadyReported)};
        }
        return std::move(expanded->lines);
    }

    // REPT count ... ENDR: the block's lines count times over. An ENDR or a
    // LOCAL line that no REPT block or macro body takes is refused. Gives the
    // index of the block's ENDR line (the last line when there is none).
    size_t Repeat(const Statement& statement, std::span<const SourceLine> lines, size_t start,
                  int macroDepth) {
        const SourceLine& line = lines[start];
        std::string keyword = ToUpperAscii(statement.name);
        if (keyword != "REPT") {
            Record(line, keyword == "ENDR" ? "ENDR without REPT"
                                           : "LOCAL outside a macro (it stands at the start of "
                                             "a macro or REPT body)");
            return start;
        }
        std::optional<size_t> end = MatchingEndr(lines, start);
        if (!end) {
            Record(line, "REPT without ENDR");
            return lines.size();
        }
        Record(line, RepeatBlock(statement, lines.subspan(start + 1, *end - start - 1), line,
                                 macroDepth));
        ListLine(lines[*end], std::nullopt, {});
        return *end;
    }

    Status RepeatBlock(const Statement& statement, std::span<const SourceLine> body,
                       const SourceLine& line, int macroDepth) {
        // The label stands at the block's first byte, and is defined though
        // the block fails, like a failed line's.
        Statement labelOnly;
        labelOnly.kind = Statement::kOther;
        labelOnly.label = statement.label;
        if (Status labelled = Process(labelOnly, line, macroDepth); !labelled)
            return labelled;
        Result<long long> count = KnownValue(statement.operands, line, "REPT");
        if (!count)
            return count.error();
        if (Status checked = CheckRepeatCount(*count); !checked)
            return At(line, checked.error().message);
        if (macroDepth >= kMaxMacroDepth)
            return At(line, NestedTooDeep());
        // A block of no lines still costs its count.
        if (!TakeExpandedLines(static_cast<size_t>(*count) * std::max<size_t>(body.size(), 1),
                               line))
            return Status::Ok();
        std::vector<SourceLine>& expanded = expansions_.emplace_back();
        for (long long i = 0; i < *count && !body.empty(); ++i) {
            Result<std::vector<SourceLine>> repetition =
                ExpandUse(body, BodyUse{{}, {}, "REPT", ++uses_["REPT"]}, line, false);
            if (!repetition)
                return At(line, repetition.error().message);
            expanded.insert(expanded.end(), repetition->begin(), repetition->end());
        }
        ProcessLines(expanded, macroDepth + 1);
        return Status::Ok();
    }

    static std::string NestedTooDeep() {
        return "macros and REPT blocks nested more than " + std::to_string(kMaxMacroDepth) +
               " deep";
    }

    Status Process(const Statement& statement, const SourceLine& line, int macroDepth) {
        switch (statement.kind) {
            case Statement::kEmpty:
                ListLine(line, std::nullopt, {});
                return Status::Ok();
            case Statement::kControl:
                ListLine(line, std::nullopt, {});
                return Control(statement, line);
            case Statement::kDefinition:
                ListLine(line, std::nullopt, {});
                return Definition(statement, line);
            case Statement::kOther:
                break;
        }
        const Macro* macro = statement.name.empty() ? nullptr : FindMacro(statement.name);
        if (!statement.name.empty() && !macro && !IsKeyword(statement.name))
            return At(line, "cannot read line: unknown instruction or directive " +
                                Quoted(statement.name));
        if (!statement.label.empty() && pass_ == Pass::kPlace) {
            if (!current_)
                return At(line, "label " + Quoted(statement.label) + " outside a section");
            Symbol label{.name = statement.label,
                         .value = Here(),
                         .caseSensitive = caseSensitive_,
                         .where = &line};
            if (Status defined = Enter(statement.label, std::move(label)); !defined)
                return defined;
            module_.labels.push_back({statement.label, *current_, offsets_[*current_]});
        }
        if (macro) {
            ListLine(line, std::nullopt, {});
            return Expand(*macro, statement, line, macroDepth);
        }
        if (statement.name.empty()) {
            ListLine(line, current_ ? std::optional(Address()) : std::nullopt, {});
            return Status::Ok();
        }
        return Directive(statement, line);
    }

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

    static const DirectiveRule* FindDirective(const std::string& name) {
        static constexpr DirectiveRule kDirectives[] = {
            {"DEFSECT", &Assembler::DefineSection, true},
            {"SECT", &Assembler::SelectSection, false},
            {"GLOBAL", &Assembler::Declare, true},
            {"EXTERN", &Assembler::Declare, true},
            {"END", &Assembler::End, false},
            {"ENDM", &Assembler::StrayEndm, false},
            {"DB", nullptr, false},
            {"DW", nullptr, false},
            {"DS", nullptr, false},
            {"ALIGN", nullptr, false},
        };
        for (const DirectiveRule& rule : kDirectives) {
            if (EqualsIgnoreCase(rule.name, name))
                return &rule;
        }
        return nullptr;
    }

    static bool IsKeyword(const std::string& name) {
        return FindDirective(name) || IsMnemonic(name);
    }

    // ALIGN came after sources that named macros so; such a macro is still
    // defined, and used in its place.
    static bool IsReservedName(const std::string& name) {
        return IsKeyword(name) && !EqualsIgnoreCase(name, "ALIGN");
    }

    // The directives that give bytes of data, not an instruction's.
    static bool GivesData(const std::string& keyword) {
        return keyword == "DB" || keyword == "DW" || keyword == "DS" || keyword == "ALIGN";
    }

    Status End(const std::string&, const std::string&, const SourceLine&) { return Status::Ok(); }

    Status StrayEndm(const std::string&, const std::string&, const SourceLine& line) {
        return At(line, "ENDM without MACRO");
    }

    Status Control(const Statement& statement, const SourceLine& line) {
        std::string mode = ToUpperAscii(statement.operands);
        if (statement.name == "$LIST") {
            listOn_ = mode != "OFF";
            return Status::Ok();
        }
        if (statement.name != "$CASE")
            return Status::Ok();  // the other controls change nothing here
        if (mode != "ON" && mode != "OFF")
            return At(line, "$CASE expects ON or OFF");
        caseSensitive_ = mode == "ON";
        return Status::Ok();
    }

    Status Definition(const Statement& statement, const SourceLine& line) {
        if (statement.definer == "EQU") {
            if (pass_ != Pass::kPlace)
                return Status::Ok();
            Symbol symbol{.name = statement.name,
                          .expression = statement.operands,
                          .caseSensitive = caseSensitive_,
                          .where = &line,
                          .setValues = SetValuesIn(statement.operands)};
            if (current_)
                symbol.here = Here();
            return Enter(statement.name, std::move(symbol));
        }
        Result<toolchain::Value> value = EvaluateValue(statement.operands, Lookup());
        if (!value)
            return At(line, value.error().message);
        auto it = symbols_.find(Key(statement.name));
        if (it != symbols_.end() && it->second.redefinable) {
            it->second.value = *value;
            return Status::Ok();
        }
        return Enter(statement.name, Symbol{.name = statement.name,
                                            .value = *value,
                                            .caseSensitive = caseSensitive_,
                                            .redefinable = true,
                                            .where = &line});
    }

    Status Directive(const Statement& statement, const SourceLine& line) {
        std::string keyword = ToUpperAscii(statement.name);
        const std::string& operands = statement.operands;
        if (const DirectiveRule* rule = FindDirective(keyword); rule && rule->handler) {
            ListLine(line, std::nullopt, {});
            if (rule->firstPassOnly && pass_ != Pass::kPlace)
                return Status::Ok();
            return (this->*rule->handler)(keyword, operands, line);
        }
        if (!current_)
            return At(line, Quoted(statement.name) + " outside a section");
        long long address = Address();
        Result<Encoded> encoded = Encode(keyword, statement, line, Reader(line));
        if (!encoded) {
            // The bytes the line would take still count, so the labels after
            // it stand where the first pass placed them.
            if (Result<Encoded> placed = Encode(keyword, statement, line, Placeholders()); placed)
                offsets_[*current_] += static_cast<long long>(placed->bytes.size());
            return At(line, Taught(keyword, statement, line, encoded.error().message));
        }
        long long size = static_cast<long long>(encoded->bytes.size());
        if (address + size > kAddressLimit)
            return At(line, "section runs past the 24-bit address space");
        if (offsets_[*current_] + size > kMaxSectionBytes)
            return At(line, "section \"" + Shortened(module_.sections[*current_].name) +
                                "\" holds more than " + HexNumber(kMaxSectionBytes) +
                                " bytes (one bank)");
        moduleBytes_ += size;
        if (moduleBytes_ > kMaxModuleBytes)
            return At(line,
                      "the sections hold more than " + std::to_string(kMaxModuleBytes) + " bytes");
        if (pass_ == Pass::kEmit)
            Emit(*encoded, line);
        const InstructionForm* form =
            GivesData(keyword)
                ? nullptr
                : FormAt(std::span(reinterpret_cast<const unsigned char*>(encoded->bytes.data()),
                                   encoded->bytes.size()));
        ListLine(line, address, encoded->bytes, form ? form->cycles : std::string());
        offsets_[*current_] += size;
        return Status::Ok();
    }

    // A failed instruction's message, with what was probably meant.
    std::string Taught(const std::string& keyword, const Statement& statement,
                       const SourceLine& line, const std::string& message) {
        if (GivesData(keyword))
            return message;
        std::vector<std::string> operands = SplitList(statement.operands);
        for (const std::string& operand : operands) {
            if (operand.starts_with("[") && message.starts_with("undefined symbol") &&
                IsRegisterIn(message))
                return "no addressing form " + Quoted(operand) +
                       "; the forms are [HL], [IX], [IY], [IX+dd], [IY+dd], [SP+dd], [IX+L], "
                       "[IY+L], [BR:ll] and [hhll]";
        }
        if (message.starts_with("no instruction")) {
            for (std::string& operand : operands) {
                if (!IsIdentifier(operand) || !symbols_.count(Key(operand)))
                    continue;
                operand = "#" + operand;
                std::string written = JoinOperands(operands);
                Statement immediate = statement;
                immediate.operands = written;
                if (Encode(keyword, immediate, line, Placeholders()))
                    return message + "; did you mean " + Shortened(keyword + " " + written) + "?";
                operand.erase(0, 1);
            }
        }
        if ((keyword == "JRS" || keyword == "CARS") &&
            message.find(" reaches ") != std::string::npos) {
            std::string taught = message + " (to " + Quoted(operands.back()) + ")";
            Statement longer = statement;
            longer.name = keyword == "JRS" ? "JRL" : "CARL";
            if (Encode(longer.name, longer, line, Placeholders()))
                taught += "; " + longer.name + " reaches anywhere in the bank";
            return taught;
        }
        return message;
    }

    static bool IsRegisterIn(const std::string& message) {
        for (std::string_view name :
             {"'HL'", "'IX'", "'IY'", "'SP'", "'BA'", "'A'", "'B'", "'L'", "'H'", "'BR'"}) {
            if (message.ends_with(name))
                return true;
        }
        return false;
    }

    static std::string JoinOperands(const std::vector<std::string>& operands) {
        std::string text;
        for (const std::string& operand : operands)
            text += (text.empty() ? "" : ",") + operand;
        return text;
    }

    Result<Encoded> Encode(const std::string& keyword, const Statement& statement,
                           const SourceLine& line, const ExpressionReader& read) {
        if (keyword == "DB" || keyword == "DW")
            return Data(keyword, statement.operands, line, read);
        if (keyword == "DS")
            return Space(statement.operands, line);
        if (keyword == "ALIGN")
            return Align(statement.operands, line);
        return EncodeInstruction(statement.name, statement.operands, PlacedAddress(), read);
    }

    void Emit(const Encoded& encoded, const SourceLine& line) {
        Section& section = module_.sections[*current_];
        size_t start = section.bytes.size();
        section.bytes += encoded.bytes;
        for (const Fixup& fixup : encoded.fixups) {
            section.relocations.push_back({start + fixup.offset, fixup.kind, fixup.value.symbol,
                                           fixup.value.number, fixup.value.part,
                                           Where(line.file, line.number), fixup.what});
        }
    }

    Status DefineSection(const std::string&, const std::string& operands, const SourceLine& line) {
        static constexpr std::string_view kUsage =
            "DEFSECT expects \"name\", CODE or DATA, and AT address to fix its place";
        std::vector<std::string> parts = SplitList(operands);
        std::optional<std::string> name = parts.empty() ? std::nullopt : DoubleQuoted(parts[0]);
        if (!name || parts.size() != 2)
            return At(line, std::string(kUsage));
        if (name->empty() ||
            !std::all_of(name->begin(), name->end(), [](char c) { return c > ' ' && c < 0x7F; }))
            return At(line, "a section name is printable characters without blanks");
        std::optional<SectionAttributes> attributes = ReadSectionAttributes(parts[1]);
        if (!attributes || (attributes->kind != "CODE" && attributes->kind != "DATA"))
            return At(line, std::string(kUsage));
        if (std::optional<size_t> known = sections_.Find(*name)) {
            const SourceLine& first = sections_.DefinedAt(*known);
            return At(line, "section \"" + Shortened(*name) + "\" is already defined at " +
                                Where(first.file, first.number));
        }
        // A section whose place or alignment cannot be read is still defined
        // (without them), so its lines are not reported as well.
        Section section{*name, attributes->kind, std::nullopt, {}, {}};
        Status placed = PlaceSection(section, *attributes, line);
        sections_.Define(*name, line);
        offsets_.push_back(0);
        module_.sections.push_back(std::move(section));
        return placed;
    }

    // DEFSECT ... AT address and ALIGN alignment.
    Status PlaceSection(Section& section, const SectionAttributes& attributes,
                        const SourceLine& line) {
        if (!attributes.address.empty()) {
            Result<long long> address = KnownValue(attributes.address, line, "DEFSECT ... AT");
            if (!address)
                return address.error();
            if (*address < 0 || *address >= kAddressLimit)
                return At(line, "section address out of range");
            section.address = *address;
        }
        if (attributes.alignment.empty())
            return Status::Ok();
        Result<long long> alignment = Alignment(attributes.alignment, line, "DEFSECT ... ALIGN");
        if (!alignment)
            return alignment.error();
        if (section.address && PaddingTo(*section.address, *alignment) != 0)
            return At(line, "section address " + HexNumber(*section.address) +
                                " is not a multiple of its ALIGN " + std::to_string(*alignment));
        section.alignment = *alignment;
        return Status::Ok();
    }

    // Two sections of this source fixed at places that share a byte.
    void CheckOverlaps() {
        auto where = [this](const SourceLine& line) { return Where(line.file, line.number); };
        for (const SectionOverlap& overlap :
             SectionOverlaps(sections_, module_.sections, offsets_, where))
            Record(*overlap.line, overlap.reason);
    }

    Status SelectSection(const std::string&, const std::string& operands, const SourceLine& line) {
        std::optional<std::string> name = DoubleQuoted(operands);
        if (!name)
            return At(line, "SECT expects a section name in double quotes");
        std::optional<size_t> known = sections_.Find(*name);
        if (!known)
            return At(line, "section \"" + Shortened(*name) + "\" is not defined");
        current_ = known;
        return Status::Ok();
    }

    Status Declare(const std::string& keyword, const std::string& operands,
                   const SourceLine& line) {
        for (const std::string& name : SplitList(operands)) {
            if (!IsIdentifier(name))
                return At(line, keyword + " expects names");
            std::vector<DeclaredName>& names = keyword == "GLOBAL" ? globals_ : externs_;
            names.push_back({name, caseSensitive_, &line});
            if (keyword == "EXTERN")
                externKeys_.insert(Key(name));
        }
        return Status::Ok();
    }

    Result<Encoded> Data(const std::string& keyword, const std::string& operands,
                         const SourceLine& line, const ExpressionReader& read) {
        Encoded encoded;
        FieldKind kind = keyword == "DB" ? FieldKind::kByte : FieldKind::kWord;
        std::vector<std::string> items =
            operands.empty() ? std::vector<std::string>{""} : SplitList(operands);
        for (const std::string& item : items) {
            if (item.empty())
                return At(line, keyword + " expects values");
            // A whole string gives its bytes; a quoted character within an
            // expression ('A' + 1) is a value.
            std::optional<std::string> text =
                kind == FieldKind::kByte ? StringLiteral(item) : std::nullopt;
            if (text) {
                encoded.bytes += *text;
                continue;
            }
            Result<toolchain::Value> value = read(item);
            if (!value)
                return value.error();
            size_t offset = encoded.bytes.size();
            encoded.bytes.resize(offset + static_cast<size_t>(FieldSize(kind)), '\0');
            if (Status placed = PlaceValue(*value, kind, Address() + static_cast<long long>(offset),
                                           offset, keyword, encoded);
                !placed)
                return placed.error();
        }
        return encoded;
    }

    Result<Encoded> Space(const std::string& operands, const SourceLine& line) {
        Result<long long> count = KnownValue(operands, line, "DS");
        if (!count)
            return count.error();
        if (*count < 0 || *count > kMaxSectionBytes)
            return At(line, "DS count " + std::to_string(*count) + " out of range 0.." +
                                HexNumber(kMaxSectionBytes) + " (a section holds one bank)");
        return Encoded{std::string(static_cast<size_t>(*count), '\0'), {}};
    }

    // Zero bytes up to the next multiple of the alignment. In a section that
    // lc88 places, the section is aligned to it as well.
    Result<Encoded> Align(const std::string& operands, const SourceLine& line) {
        Result<long long> alignment = Alignment(operands, line, "ALIGN");
        if (!alignment)
            return alignment.error();
        Section& section = module_.sections[*current_];
        if (!section.address)
            section.alignment = std::max(section.alignment, *alignment);
        return Encoded{std::string(static_cast<size_t>(PaddingTo(Address(), *alignment)), '\0'),
                       {}};
    }

    Result<long long> Alignment(std::string_view expression, const SourceLine& line,
                                const std::string& what) {
        Result<long long> alignment = KnownValue(expression, line, what);
        if (!alignment)
            return alignment.error();
        if (Status checked = CheckAlignment(*alignment); !checked)
            return At(line, checked.error().message);
        return alignment;
    }

    // Operand values: in the first pass only the sizes matter, so nothing is
    // evaluated yet; in the second every value is read at this line.
    ExpressionReader Reader(const SourceLine& line) {
        if (pass_ == Pass::kPlace)
            return Placeholders();
        return [this, &line](const std::string& expression) -> Result<toolchain::Value> {
            Result<toolchain::Value> value = EvaluateValue(expression, Lookup());
            if (!value)
                return At(line, value.error().message);
            return value;
        };
    }

    static ExpressionReader Placeholders() {
        return
            [](const std::string&) -> Result<toolchain::Value> { return toolchain::Value("?", 0); };
    }

    long long Address() const { return Here().number; }

    // The address of the next byte when its section has a fixed place.
    std::optional<long long> PlacedAddress() const {
        toolchain::Value here = Here();
        return here.Known() ? std::optional(here.number) : std::nullopt;
    }

    // The address of the next byte of the current section: a number when the
    // section has its place, else an offset from its base.
    toolchain::Value Here() const {
        const Section& section = module_.sections[*current_];
        long long offset = offsets_[*current_];
        if (section.address)
            return *section.address + offset;
        return toolchain::Value(SectionBase(*current_), offset);
    }

    Status Enter(const std::string& name, Symbol symbol) {
        const SourceLine& here = *symbol.where;
        if (externKeys_.count(Key(name)))
            return At(here, "symbol " + Quoted(name) + " is declared EXTERN and defined here");
        auto [it, added] = symbols_.try_emplace(Key(name), std::move(symbol));
        if (!added) {
            const SourceLine& first = *it->second.where;
            return At(here, "symbol " + Quoted(name) + " already defined at " +
                                Where(first.file, first.number));
        }
        order_.push_back(&it->second);
        return Status::Ok();
    }

    // Gives every equate its value, so one that refers to nothing known is
    // reported at its own line.
    void ResolveEquates() {
        for (Symbol* symbol : order_) {
            if (stopped_)
                break;
            if (symbol->value)
                continue;
            caseSensitive_ = symbol->caseSensitive;
            Result<toolchain::Value> value = Resolve(*symbol);
            if (!value) {
                Record(*symbol->where, value.error().message);
                failedNames_.insert(Key(symbol->name));
            }
        }
    }

    // The first name in an expression that is no symbol (yet).
    std::optional<std::string> FirstUnknownName(std::string_view expression) const {
        Result<std::vector<Token>> tokens = Tokenize(expression);
        if (!tokens)
            return std::nullopt;
        for (const Token& token : *tokens) {
            std::string key = Key(token.text);
            if (token.kind == Token::kIdentifier && !symbols_.count(key) &&
                !externKeys_.count(key) && !IsFunctionName(token.text))
                return token.text;
        }
        return std::nullopt;
    }

    static bool IsFunctionName(const std::string& name) {
        return EqualsIgnoreCase(name, "LOW") || EqualsIgnoreCase(name, "HIGH") ||
               EqualsIgnoreCase(name, "BANK");
    }

    // Names used where their value must be known, before the line that
    // defines them: an error either way, which says where the name is
    // defined when it is.
    void ReportForwardUses() {
        for (const ForwardUse& use : forwardUses_) {
            caseSensitive_ = use.caseSensitive;
            auto it = symbols_.find(Key(use.name));
            if (it == symbols_.end()) {
                Record(*use.line, UndefinedMessage(use.name));
                continue;
            }
            const SourceLine& defined = *it->second.where;
            Record(*use.line, Quoted(use.name) + " must be known at this line (" + use.what +
                                  "), but it is defined further on, at " +
                                  Where(defined.file, defined.number));
        }
    }

    // The values the SET symbols named in an equate's expression have at its
    // line.
    std::map<std::string, toolchain::Value> SetValuesIn(std::string_view expression) const {
        std::map<std::string, toolchain::Value> values;
        Result<std::vector<Token>> tokens = Tokenize(expression);
        if (!tokens)
            return values;
        for (const Token& token : *tokens) {
            auto it =
                token.kind == Token::kIdentifier ? symbols_.find(Key(token.text)) : symbols_.end();
            if (it != symbols_.end() && it->second.redefinable && it->second.value)
                values.emplace(Key(token.text), *it->second.value);
        }
        return values;
    }

    Result<toolchain::Value> Resolve(Symbol& symbol) {
        if (symbol.value)
            return *symbol.value;
        if (symbol.resolving)
            return Diagnostic{{}, 0, "symbol " + Quoted(symbol.name) + " is defined by itself"};
        if (resolving_.size() >= kMaxEquateDepth)
            return Diagnostic{
                {},
                0,
                "equates refer to equates more than " + std::to_string(kMaxEquateDepth) + " deep"};
        symbol.resolving = true;
        resolving_.push_back(&symbol);
        bool mode = std::exchange(caseSensitive_, symbol.caseSensitive);
        Result<toolchain::Value> value = EvaluateValue(symbol.expression, Lookup());
        caseSensitive_ = mode;
        resolving_.pop_back();
        symbol.resolving = false;
        if (value)
            symbol.value = *value;
        return value;
    }

    SymbolLookup Lookup() {
        return [this](const std::string& name) -> Result<toolchain::Value> {
            const Symbol* equate = resolving_.empty() ? nullptr : resolving_.back();
            if (name == "$") {
                std::optional<toolchain::Value> here = equate     ? equate->here
                                                       : current_ ? std::optional(Here())
                                                                  : std::nullopt;
                if (!here)
                    return Diagnostic{{}, 0, "'$' outside a section"};
                return *here;
            }
            if (failedNames_.count(Key(name)))
                return Diagnostic{{}, 0, std::string(kAlreadyReported)};
            auto it = symbols_.find(Key(name));
            if (it != symbols_.end() && equate && it->second.redefinable) {
                auto set = equate->setValues.find(Key(name));
                if (set == equate->setValues.end())
                    return Diagnostic{
                        {}, 0, "SET symbol " + Quoted(name) + " has no value yet at the equ line"};
                return set->second;
            }
            if (it != symbols_.end())
                return Resolve(it->second);
            if (externKeys_.count(Key(name)))
                return toolchain::Value(name, 0);
            return Diagnostic{{}, 0, UndefinedMessage(name)};
        };
    }

    std::string UndefinedMessage(const std::string& name) const {
        return "undefined symbol " + Quoted(name);
    }

    // A value that must be known at its line (IF, DS, DEFSECT ... AT). A
    // name defined further on is reported after the first pass, with where
    // it is defined; the second pass leaves the line as the first did.
    Result<long long> KnownValue(std::string_view expression, const SourceLine& line,
                                 const std::string& what) {
        std::pair<size_t, std::string> key{line.order, line.text};
        if (pass_ == Pass::kEmit && refusedLines_.count(key))
            return Diagnostic{{}, 0, std::string(kAlreadyReported)};
        Result<long long> value = Evaluate(expression, Lookup());
        if (value)
            return value;
        std::optional<std::string> unknown = FirstUnknownName(expression);
        if (pass_ == Pass::kPlace && unknown && !failedNames_.count(Key(*unknown))) {
            forwardUses_.push_back({&line, *unknown, what, caseSensitive_});
            refusedLines_.insert(std::move(key));
            return Diagnostic{{}, 0, std::string(kAlreadyReported)};
        }
        return At(line, value.error().message);
    }

    void Declarations() {
        for (const DeclaredName& global : globals_) {
            caseSensitive_ = global.caseSensitive;
            Record(*global.where, Declaration(global));
        }
        for (const DeclaredName& name : externs_)
            module_.externs.push_back(name.name);
    }

    Status Declaration(const DeclaredName& global) {
        const SourceLine& line = *global.where;
        if (externKeys_.count(Key(global.name)))
            return At(line, "symbol " + Quoted(global.name) + " is both GLOBAL and EXTERN");
        Result<toolchain::Value> value = Lookup()(global.name);
        if (!value)
            return At(line, value.error().message);
        std::optional<size_t> section = SectionOfBase(value->symbol);
        if ((!value->Known() && !section) || value->part != ValuePart::kWhole)
            return At(line, "global symbol " + Quoted(global.name) +
                                " must be a number or an address in a section");
        if (value->number < 0)
            return At(line, "global symbol " + Quoted(global.name) + " is negative (" +
                                std::to_string(value->number) +
                                "): other modules and the map take 0..0FFFFFFFFh");
        module_.globals.push_back({global.name, value->number, section});
        return Status::Ok();
    }

    // Records a listed line; its bytes (and address) are those the current
    // section takes from here when address is given.
    void ListLine(const SourceLine& line, std::optional<long long> address, std::string_view bytes,
                  const std::string& cycles = {}) {
        if (!withListing_ || pass_ != Pass::kEmit || !listOn_)
            return;
        ListedLine listed{line.file, line.number, std::nullopt, 0, 0, cycles, line.text};
        if (address && current_) {
            listed.section = *current_;
            listed.offset = static_cast<size_t>(offsets_[*current_]);
            listed.size = bytes.size();
        }
        module_.listing.push_back(std::move(listed));
    }

    SourceFiles sources_;
    bool withListing_;
    std::deque<std::vector<SourceLine>> expansions_;
    std::map<std::string, Symbol> symbols_;
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

}  // namespace

AssemblyReport AssembleReporting(const std::string& sourceName, const SourceReader& read,
                                 bool withListing) {
    return Assembler(read, withListing).Run(sourceName);
}

}  // namespace cuffware::toolchain
