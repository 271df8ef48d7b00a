#include "toolchain/assembler.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include "project/text_file.h"
#include "project/text_rules.h"
#include "toolchain/alignment.h"
#include "toolchain/encoder.h"
#include "toolchain/expression.h"
#include "toolchain/listing.h"
#include "toolchain/local_labels.h"
#include "toolchain/macro_body.h"
#include "toolchain/source_line.h"
#include "toolchain/source_text.h"

namespace cuffware::toolchain {

namespace {

constexpr int kMaxIncludeDepth = 16;
constexpr int kMaxMacroDepth = 32;
// Bounds that keep a run's time and memory in proportion: macros that use
// macros could otherwise multiply lines without end, and sections without
// AT could each take the whole address space.
constexpr size_t kMaxExpandedLines = 1 << 20;
constexpr long long kMaxModuleBytes = 16 << 20;
constexpr long long kAddressLimit = 0x1000000;  // 24-bit addresses

// A file read, and the line that included it (none for the source itself).
struct SourceFile {
    std::string name;  // as written
    std::optional<size_t> includedFrom;
    int includedAtLine = 0;
};

// A label's value is known from the first pass; an equate keeps its
// expression until something asks for its value; a SET symbol takes a new
// value at each of its lines.
struct Symbol {
    std::string name;
    std::optional<Value> value;
    std::string expression;
    bool caseSensitive = false;  // the $CASE mode the expression is read in
    bool redefinable = false;
    bool resolving = false;
    const SourceLine* where = nullptr;
};

struct DeclaredName {
    std::string name;
    bool caseSensitive;
    const SourceLine* where;
};

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
        : read_(read), withListing_(withListing) {}

    Result<Assembly> Run(const std::string& sourceName) {
        if (Status loaded = Load(sourceName, nullptr, 0); !loaded)
            return loaded.error();
        for (Pass pass : {Pass::kPlace, Pass::kEmit}) {
            if (Status done = RunPass(pass); !done)
                return done.error();
            if (pass == Pass::kPlace) {
                if (Status resolved = ResolveEquates(); !resolved)
                    return resolved.error();
            }
        }
        if (module_.sections.empty())
            return Diagnostic{sourceName, 0, "no section defined (DEFSECT)"};
        module_.source = sourceName;
        if (Status declared = Declarations(); !declared)
            return declared.error();
        return Assembly{module_, listing_.Text()};
    }

  private:
    // Reads a file and, in place of each INCLUDE line, the file it names.
    Status Load(const std::string& pathText, const SourceLine* includedFrom, int depth) {
        Result<std::string> content = read_(pathText);
        if (!content) {
            std::string lookedFor = " (looked for " + content.error().path + ")";
            if (!includedFrom)
                return Diagnostic{pathText, 0, "cannot open source file" + lookedFor};
            return At(*includedFrom, "cannot open include file '" + pathText + "'" + lookedFor);
        }
        if (depth > kMaxIncludeDepth)
            return At(*includedFrom, "INCLUDE nested too deeply");
        size_t file = files_.size();
        files_.push_back(includedFrom
                             ? SourceFile{pathText, includedFrom->file, includedFrom->number}
                             : SourceFile{pathText, std::nullopt, 0});
        int number = 0;
        for (std::string_view text : SplitLines(*content)) {
            SourceLine line{file, ++number, std::string(text)};
            Result<std::optional<std::string>> included = IncludedPath(text);
            if (!included)
                return At(line, included.error().message);
            if (!*included) {
                lines_.push_back(std::move(line));
                continue;
            }
            if (Status nested = Load(**included, &line, depth + 1); !nested)
                return nested;
        }
        return Status::Ok();
    }

    // The message for a line, with the chain of INCLUDE lines that led to
    // its file on the lines after it.
    Diagnostic At(const SourceLine& line, std::string message) const {
        for (const SourceFile* file = &files_[line.file]; file->includedFrom;
             file = &files_[*file->includedFrom]) {
            message += "\n  included from " + Where(*file->includedFrom, file->includedAtLine);
        }
        return Diagnostic{files_[line.file].name, line.number, std::move(message)};
    }

    std::string Where(size_t file, int number) const {
        return files_[file].name + ":" + std::to_string(number);
    }

    std::string Key(const std::string& name) const {
        return caseSensitive_ ? name : ToUpperAscii(name);
    }

    Status RunPass(Pass pass) {
        caseSensitive_ = false;
        listOn_ = true;
        current_.reset();
        offsets_.assign(sections_.size(), 0);
        conditions_.clear();
        expandedLines_ = 0;
        expandedBytesLeft_ = kMaxExpandedBytes;
        moduleBytes_ = 0;
        scope_.Reset();
        uses_.clear();
        pass_ = pass;
        if (Status done = ProcessLines(lines_, 0); !done)
            return done;
        if (!conditions_.empty())
            return At(*conditions_.back().where, "IF without ENDIF");
        return Status::Ok();
    }

    bool Active() const { return conditions_.empty() || Assembling(conditions_.back()); }

    static bool Assembling(const Condition& c) { return c.outerActive && c.taken != c.inElse; }

    Status ProcessLines(std::span<const SourceLine> lines, int macroDepth) {
        for (size_t i = 0; i < lines.size(); ++i) {
            const SourceLine& line = lines[i];
            Result<Statement> statement = ReadStatement(line.text);
            if (!statement)
                return At(line, statement.error().message);
            if (Active()) {
                bool usesMacro = !statement->name.empty() && FindMacro(statement->name);
                if (Status qualified = scope_.Qualify(*statement, usesMacro); !qualified)
                    return At(line, qualified.error().message);
            }
            std::string keyword = ToUpperAscii(statement->name);
            if (statement->kind == Statement::kOther &&
                (keyword == "IF" || keyword == "ELSE" || keyword == "ENDIF")) {
                if (Status done = Conditional(keyword, statement->operands, line); !done)
                    return done;
                ListLine(line, std::nullopt, {});
                continue;
            }
            if (!Active())
                continue;
            if (statement->kind == Statement::kDefinition && statement->definer == "MACRO") {
                Result<size_t> end = DefineMacro(*statement, lines, i);
                if (!end)
                    return end.error();
                i = *end;
                continue;
            }
            if (statement->kind == Statement::kOther && IsBodyKeyword(keyword) &&
                !FindMacro(keyword)) {
                Result<size_t> end = Repeat(*statement, lines, i, macroDepth);
                if (!end)
                    return end.error();
                i = *end;
                continue;
            }
            if (Status done = Process(*statement, line, macroDepth); !done)
                return done;
        }
        return Status::Ok();
    }

    Status Conditional(const std::string& keyword, const std::string& operands,
                       const SourceLine& line) {
        if (keyword == "IF") {
            bool taken = false;
            if (Active()) {
                Result<long long> value = Value(operands, line);
                if (!value)
                    return value.error();
                taken = *value != 0;
            }
            conditions_.push_back({Active(), taken, false, &line});
            return Status::Ok();
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
    // index of the ENDM line.
    Result<size_t> DefineMacro(const Statement& statement, std::span<const SourceLine> lines,
                               size_t start) {
        Macro macro;
        for (const std::string& parameter : SplitList(statement.operands)) {
            if (!parameter.empty() && !IsIdentifier(parameter))
                return At(lines[start], "bad macro parameter '" + parameter + "'");
            if (!parameter.empty())
                macro.parameters.push_back(parameter);
        }
        int depth = 1;
        for (size_t i = start + 1; i < lines.size(); ++i) {
            Result<Statement> inner = ReadStatement(lines[i].text);
            if (inner && inner->kind == Statement::kDefinition && inner->definer == "MACRO")
                ++depth;
            if (inner && inner->kind == Statement::kOther &&
                EqualsIgnoreCase(inner->name, "ENDM") && --depth == 0) {
                if (pass_ == Pass::kPlace) {
                    std::string key = Key(statement.name);
                    if (macros_.count(key) || IsKeyword(statement.name))
                        return At(lines[start], "macro '" + statement.name + "' already defined");
                    macros_[key] = std::move(macro);
                }
                return i;
            }
            macro.body.push_back(lines[i]);
        }
        return At(lines[start], "MACRO without ENDM");
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
            return At(line, "macros nested too deeply");
        std::vector<std::string> arguments =
            statement.operands.empty() ? std::vector<std::string>{} : SplitList(statement.operands);
        if (arguments.size() > macro.parameters.size())
            return At(line, "macro '" + statement.name + "' takes " +
                                std::to_string(macro.parameters.size()) + " arguments, not " +
                                std::to_string(arguments.size()));
        arguments.resize(macro.parameters.size());
        expandedLines_ += macro.body.size();
        if (expandedLines_ > kMaxExpandedLines)
            return At(line,
                      "macros expand to more than " + std::to_string(kMaxExpandedLines) + " lines");
        BodyUse use{
            macro.parameters, std::move(arguments), statement.name,    ++uses_[Key(statement.name)],
            caseSensitive_,   !FindMacro("LOCAL"),  expandedBytesLeft_};
        Result<std::vector<SourceLine>> expanded = ExpandBody(macro.body, use, &line);
        if (!expanded)
            return At(line, expanded.error().message);
        TakeExpandedBytes(*expanded);
        return ProcessLines(expansions_.emplace_back(std::move(*expanded)), macroDepth + 1);
    }

    // REPT count ... ENDR: the block's lines count times over. An ENDR or a
    // LOCAL line that no REPT block or macro body takes is refused. Gives the
    // index of the block's ENDR line.
    Result<size_t> Repeat(const Statement& statement, std::span<const SourceLine> lines,
                          size_t start, int macroDepth) {
        const SourceLine& line = lines[start];
        std::string keyword = ToUpperAscii(statement.name);
        if (keyword == "ENDR")
            return At(line, "ENDR without REPT");
        if (keyword == "LOCAL")
            return At(line,
                      "LOCAL outside a macro (it stands at the start of a macro or REPT body)");
        std::optional<size_t> end = MatchingEndr(lines, start);
        if (!end)
            return At(line, "REPT without ENDR");
        Result<long long> count = Value(statement.operands, line);
        if (!count)
            return count.error();
        if (Status checked = CheckRepeatCount(*count); !checked)
            return At(line, checked.error().message);
        if (macroDepth >= kMaxMacroDepth)
            return At(line, "macros and REPT blocks nested too deeply");
        std::span<const SourceLine> body = lines.subspan(start + 1, *end - start - 1);
        // A block of no lines still costs its count.
        expandedLines_ += static_cast<size_t>(*count) * std::max<size_t>(body.size(), 1);
        if (expandedLines_ > kMaxExpandedLines)
            return At(line, "macros and REPT blocks expand to more than " +
                                std::to_string(kMaxExpandedLines) + " lines");
        Statement labelOnly;
        labelOnly.kind = Statement::kOther;
        labelOnly.label = statement.label;
        if (Status labelled = Process(labelOnly, line, macroDepth); !labelled)
            return labelled.error();
        std::vector<SourceLine>& expanded = expansions_.emplace_back();
        for (long long i = 0; i < *count && !body.empty(); ++i) {
            BodyUse use{{},
                        {},
                        "REPT",
                        ++uses_["REPT"],
                        caseSensitive_,
                        !FindMacro("LOCAL"),
                        expandedBytesLeft_};
            Result<std::vector<SourceLine>> repetition = ExpandBody(body, use, nullptr);
            if (!repetition)
                return At(line, repetition.error().message);
            TakeExpandedBytes(*repetition);
            expanded.insert(expanded.end(), repetition->begin(), repetition->end());
        }
        if (Status done = ProcessLines(expanded, macroDepth + 1); !done)
            return done.error();
        ListLine(lines[*end], std::nullopt, {});
        return *end;
    }

    void TakeExpandedBytes(const std::vector<SourceLine>& lines) {
        for (const SourceLine& line : lines)
            expandedBytesLeft_ -= line.text.size();
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
        if (!statement.name.empty() && !macro && !IsKeyword(statement.name) &&
            !EqualsIgnoreCase(statement.name, "ALIGN"))
            return At(line, "cannot read line: unknown instruction or directive '" +
                                statement.name + "'");
        if (!statement.label.empty() && pass_ == Pass::kPlace) {
            if (!current_)
                return At(line, "label '" + statement.label + "' outside a section");
            if (Status defined =
                    Enter(statement.label,
                          Symbol{statement.label, Here(), {}, caseSensitive_, false, false, &line});
                !defined)
                return defined;
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

    static bool IsKeyword(const std::string& name) {
        static constexpr std::string_view kDirectives[] = {
            "DEFSECT", "SECT", "GLOBAL", "EXTERN", "DB", "DW", "DS", "END", "ENDM"};
        std::string keyword = ToUpperAscii(name);
        for (std::string_view directive : kDirectives) {
            if (keyword == directive)
                return true;
        }
        return IsMnemonic(name);
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
            return Enter(statement.name, Symbol{statement.name, std::nullopt, statement.operands,
                                                caseSensitive_, false, false, &line});
        }
        Result<toolchain::Value> value = EvaluateValue(statement.operands, Lookup());
        if (!value)
            return At(line, value.error().message);
        auto it = symbols_.find(Key(statement.name));
        if (it != symbols_.end() && it->second.redefinable) {
            it->second.value = *value;
            return Status::Ok();
        }
        return Enter(statement.name,
                     Symbol{statement.name, *value, {}, caseSensitive_, true, false, &line});
    }

    Status Directive(const Statement& statement, const SourceLine& line) {
        std::string keyword = ToUpperAscii(statement.name);
        const std::string& operands = statement.operands;
        if (keyword == "DEFSECT" || keyword == "SECT" || keyword == "GLOBAL" ||
            keyword == "EXTERN" || keyword == "END") {
            ListLine(line, std::nullopt, {});
            if (keyword == "DEFSECT")
                return pass_ == Pass::kPlace ? DefineSection(operands, line) : Status::Ok();
            if (keyword == "SECT")
                return SelectSection(operands, line);
            if (keyword == "END")
                return Status::Ok();
            return pass_ == Pass::kPlace ? Declare(keyword, operands, line) : Status::Ok();
        }
        if (keyword == "ENDM")
            return At(line, "ENDM without MACRO");
        if (!current_)
            return At(line, "'" + statement.name + "' outside a section");
        long long address = Address();
        Result<Encoded> encoded = Encoded{};
        if (keyword == "DB" || keyword == "DW")
            encoded = Data(keyword, operands, line);
        else if (keyword == "DS")
            encoded = Space(operands, line);
        else if (keyword == "ALIGN")
            encoded = Align(operands, line);
        else
            encoded = EncodeInstruction(statement.name, operands, PlacedAddress(), Reader(line));
        if (!encoded)
            return At(line, encoded.error().message);
        long long size = static_cast<long long>(encoded->bytes.size());
        if (address + size > kAddressLimit)
            return At(line, "section runs past the 24-bit address space");
        moduleBytes_ += size;
        if (moduleBytes_ > kMaxModuleBytes)
            return At(line,
                      "the sections hold more than " + std::to_string(kMaxModuleBytes) + " bytes");
        if (pass_ == Pass::kEmit)
            Emit(*encoded, line);
        ListLine(line, address, encoded->bytes);
        offsets_[*current_] += size;
        return Status::Ok();
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

    Status DefineSection(const std::string& operands, const SourceLine& line) {
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
        Section section{*name, attributes->kind, std::nullopt, {}, {}};
        if (!attributes->address.empty()) {
            Result<long long> address = Value(attributes->address, line);
            if (!address)
                return address.error();
            if (*address < 0 || *address >= kAddressLimit)
                return At(line, "section address out of range");
            section.address = *address;
        }
        if (!attributes->alignment.empty()) {
            Result<long long> alignment = Alignment(attributes->alignment, line);
            if (!alignment)
                return alignment.error();
            if (section.address && PaddingTo(*section.address, *alignment) != 0)
                return At(line, "section address 0x" + Hex(*section.address, 6) +
                                    " is not a multiple of its ALIGN " +
                                    std::to_string(*alignment));
            section.alignment = *alignment;
        }
        for (size_t i = 0; i < sections_.size(); ++i) {
            if (sections_[i].name == *name)
                return At(line, "section \"" + *name + "\" is already defined at " +
                                    Where(sections_[i].line->file, sections_[i].line->number));
        }
        sections_.push_back({*name, &line});
        offsets_.push_back(0);
        module_.sections.push_back(std::move(section));
        return Status::Ok();
    }

    Status SelectSection(const std::string& operands, const SourceLine& line) {
        std::optional<std::string> name = DoubleQuoted(operands);
        if (!name)
            return At(line, "SECT expects a section name in double quotes");
        for (size_t i = 0; i < sections_.size(); ++i) {
            if (sections_[i].name == *name) {
                current_ = i;
                return Status::Ok();
            }
        }
        return At(line, "section \"" + *name + "\" is not defined");
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
                         const SourceLine& line) {
        Encoded encoded;
        FieldKind kind = keyword == "DB" ? FieldKind::kByte : FieldKind::kWord;
        std::vector<std::string> items =
            operands.empty() ? std::vector<std::string>{""} : SplitList(operands);
        ExpressionReader read = Reader(line);
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
        Result<long long> count = Value(operands, line);
        if (!count)
            return count.error();
        if (*count < 0 || *count >= kAddressLimit)
            return At(line, "DS count out of range");
        return Encoded{std::string(static_cast<size_t>(*count), '\0'), {}};
    }

    // Zero bytes up to the next multiple of the alignment. In a section that
    // lc88 places, the section is aligned to it as well.
    Result<Encoded> Align(const std::string& operands, const SourceLine& line) {
        Result<long long> alignment = Alignment(operands, line);
        if (!alignment)
            return alignment.error();
        Section& section = module_.sections[*current_];
        if (!section.address)
            section.alignment = std::max(section.alignment, *alignment);
        return Encoded{std::string(static_cast<size_t>(PaddingTo(Address(), *alignment)), '\0'),
                       {}};
    }

    Result<long long> Alignment(std::string_view expression, const SourceLine& line) {
        Result<long long> alignment = Value(expression, line);
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
            return [](const std::string&) -> Result<toolchain::Value> {
                return toolchain::Value("?", 0);
            };
        return [this, &line](const std::string& expression) -> Result<toolchain::Value> {
            Result<toolchain::Value> value = EvaluateValue(expression, Lookup());
            if (!value)
                return At(line, value.error().message);
            return value;
        };
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
            return At(here, "symbol '" + name + "' is declared EXTERN and defined here");
        auto [it, added] = symbols_.try_emplace(Key(name), std::move(symbol));
        if (!added) {
            const SourceLine& first = *it->second.where;
            return At(here, "symbol '" + name + "' already defined at " +
                                Where(first.file, first.number));
        }
        order_.push_back(&it->second);
        return Status::Ok();
    }

    // Gives every equate its value, so one that refers to nothing known is
    // reported at its own line.
    Status ResolveEquates() {
        for (Symbol* symbol : order_) {
            if (symbol->value)
                continue;
            Result<toolchain::Value> value = Resolve(*symbol);
            if (!value)
                return At(*symbol->where, value.error().message);
        }
        return Status::Ok();
    }

    Result<toolchain::Value> Resolve(Symbol& symbol) {
        if (symbol.value)
            return *symbol.value;
        if (symbol.resolving)
            return Diagnostic{{}, 0, "symbol '" + symbol.name + "' is defined by itself"};
        symbol.resolving = true;
        bool mode = std::exchange(caseSensitive_, symbol.caseSensitive);
        Result<toolchain::Value> value = EvaluateValue(symbol.expression, Lookup());
        caseSensitive_ = mode;
        symbol.resolving = false;
        if (value)
            symbol.value = *value;
        return value;
    }

    SymbolLookup Lookup() {
        return [this](const std::string& name) -> Result<toolchain::Value> {
            if (name == "$") {
                if (!current_)
                    return Diagnostic{{}, 0, "'$' outside a section"};
                return Here();
            }
            auto it = symbols_.find(Key(name));
            if (it != symbols_.end())
                return Resolve(it->second);
            if (externKeys_.count(Key(name)))
                return toolchain::Value(name, 0);
            return Diagnostic{{}, 0, "undefined symbol '" + name + "'"};
        };
    }

    Result<long long> Value(std::string_view expression, const SourceLine& line) {
        Result<long long> value = Evaluate(expression, Lookup());
        if (!value)
            return At(line, value.error().message);
        return value;
    }

    Status Declarations() {
        for (const DeclaredName& global : globals_) {
            caseSensitive_ = global.caseSensitive;
            if (externKeys_.count(Key(global.name)))
                return At(*global.where, "symbol '" + global.name + "' is both GLOBAL and EXTERN");
            Result<toolchain::Value> value = Lookup()(global.name);
            if (!value)
                return At(*global.where, value.error().message);
            std::optional<size_t> section = SectionOfBase(value->symbol);
            if ((!value->Known() && !section) || value->part != ValuePart::kWhole)
                return At(*global.where, "global symbol '" + global.name +
                                             "' must be a number or an address in a section");
            if (value->number < 0)
                return At(*global.where, "global symbol '" + global.name + "' is negative");
            module_.globals.push_back({global.name, value->number, section});
        }
        for (const DeclaredName& name : externs_)
            module_.externs.push_back(name.name);
        return Status::Ok();
    }

    void ListLine(const SourceLine& line, std::optional<long long> address,
                  std::string_view bytes) {
        if (withListing_ && pass_ == Pass::kEmit && listOn_)
            listing_.Add(files_[line.file].name, line.number, address, bytes, line.text);
    }

    struct SectionPlace {
        std::string name;
        const SourceLine* line;
    };

    const SourceReader& read_;
    bool withListing_;
    std::vector<SourceFile> files_;
    std::vector<SourceLine> lines_;
    std::deque<std::vector<SourceLine>> expansions_;
    std::map<std::string, Symbol> symbols_;
    std::map<std::string, Macro> macros_;
    std::map<std::string, int> uses_;  // of each macro and of REPT, for LOCAL names
    LabelScope scope_;
    std::vector<Symbol*> order_;
    std::vector<DeclaredName> globals_;
    std::vector<DeclaredName> externs_;
    std::set<std::string> externKeys_;
    std::vector<Condition> conditions_;
    std::vector<SectionPlace> sections_;
    std::vector<long long> offsets_;
    std::optional<size_t> current_;
    size_t expandedLines_ = 0;
    size_t expandedBytesLeft_ = kMaxExpandedBytes;
    long long moduleBytes_ = 0;
    bool caseSensitive_ = false;
    bool listOn_ = true;
    Pass pass_ = Pass::kPlace;
    ObjectModule module_;
    Listing listing_;
};

}  // namespace

Result<Assembly> Assemble(const std::string& sourceName, const SourceReader& read,
                          bool withListing) {
    return Assembler(read, withListing).Run(sourceName);
}

}  // namespace cuffware::toolchain
