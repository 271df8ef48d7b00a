#include "toolchain/assembler.h"

#include <map>
#include <utility>
#include <vector>

#include "project/text_file.h"
#include "project/text_rules.h"
#include "toolchain/expression.h"
#include "toolchain/instruction_table.h"
#include "toolchain/source_line.h"

namespace cuffware::toolchain {

namespace {

constexpr int kMaxIncludeDepth = 16;
constexpr long long kAddressLimit = 0x1000000;  // 24-bit addresses

struct SourceLine {
    size_t file;  // index into the files read
    int number;
    std::string text;
};

// A file read, and the line that included it (none for the source itself).
struct SourceFile {
    std::string name;  // as written
    std::optional<size_t> includedFrom;
    int includedAtLine = 0;
};

// A label's value is known from the first pass; an equate keeps its
// expression until something asks for its value.
struct Symbol {
    std::string name;
    std::optional<long long> value;
    std::string expression;
    bool caseSensitive = false;  // the $CASE mode the expression is read in
    bool resolving = false;
    const SourceLine* where = nullptr;
};

struct GlobalName {
    std::string name;
    bool caseSensitive;
    const SourceLine* where;
};

enum class Pass { kPlace, kEmit };

class Assembler {
  public:
    explicit Assembler(const SourceReader& read) : read_(read) {}

    Result<ObjectModule> Run(const std::string& sourceName) {
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
        if (!sectionDefined_)
            return Diagnostic{sourceName, 0, "no section defined (DEFSECT)"};
        module_.source = sourceName;
        return Globals();
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
        inSection_ = false;
        offset_ = 0;
        for (const SourceLine& line : lines_) {
            Result<Statement> statement = ReadStatement(line.text);
            if (!statement)
                return At(line, statement.error().message);
            if (Status done = Process(*statement, line, pass); !done)
                return done;
        }
        return Status::Ok();
    }

    Status Process(const Statement& statement, const SourceLine& line, Pass pass) {
        switch (statement.kind) {
            case Statement::kEmpty:
                return Status::Ok();
            case Statement::kControl:
                return Control(statement, line);
            case Statement::kEquate:
                return pass == Pass::kPlace ? Define(statement.name, statement.operands, line)
                                            : Status::Ok();
            case Statement::kOther:
                break;
        }
        if (!statement.name.empty() && !IsKnownKeyword(statement.name))
            return At(line, "cannot read line: unknown instruction or directive '" +
                                statement.name + "'");
        if (!statement.label.empty() && pass == Pass::kPlace) {
            if (!inSection_)
                return At(line, "label '" + statement.label + "' outside a section");
            if (Status defined = Define(statement.label, section_.address + offset_, line);
                !defined)
                return defined;
        }
        if (statement.name.empty())
            return Status::Ok();
        return Directive(statement, line, pass);
    }

    static bool IsKnownKeyword(const std::string& name) {
        static constexpr std::string_view kDirectives[] = {"DEFSECT", "SECT", "GLOBAL",
                                                           "DB",      "DW",   "DS"};
        std::string keyword = ToUpperAscii(name);
        for (std::string_view directive : kDirectives) {
            if (keyword == directive)
                return true;
        }
        return FindInstruction(name) != nullptr;
    }

    Status Control(const Statement& statement, const SourceLine& line) {
        if (statement.name != "$CASE")
            return Status::Ok();  // $LIST and the other listing controls change nothing here
        std::string mode = ToUpperAscii(statement.operands);
        if (mode != "ON" && mode != "OFF")
            return At(line, "$CASE expects ON or OFF");
        caseSensitive_ = mode == "ON";
        return Status::Ok();
    }

    Status Directive(const Statement& statement, const SourceLine& line, Pass pass) {
        std::string keyword = ToUpperAscii(statement.name);
        const std::string& operands = statement.operands;
        if (keyword == "DEFSECT")
            return pass == Pass::kPlace ? DefineSection(operands, line) : Status::Ok();
        if (keyword == "SECT")
            return SelectSection(operands, line);
        if (keyword == "GLOBAL")
            return pass == Pass::kPlace ? DeclareGlobals(operands, line) : Status::Ok();
        if (!inSection_)
            return At(line, "'" + statement.name + "' outside a section");
        Result<std::string> bytes = std::string();
        if (keyword == "DB")
            bytes = DataBytes(operands, line, pass);
        else if (keyword == "DW")
            bytes = DataWords(operands, line, pass);
        else if (keyword == "DS")
            bytes = Space(operands, line);
        else
            bytes = InstructionBytes(*FindInstruction(statement.name), operands, line, pass);
        if (!bytes)
            return bytes.error();
        offset_ += static_cast<long long>(bytes->size());
        if (section_.address + offset_ > kAddressLimit)
            return At(line, "section runs past the 24-bit address space");
        if (pass == Pass::kEmit)
            module_.bytes += *bytes;
        return Status::Ok();
    }

    Status DefineSection(const std::string& operands, const SourceLine& line) {
        std::vector<std::string> parts = SplitList(operands);
        std::optional<std::string> name = parts.empty() ? std::nullopt : DoubleQuoted(parts[0]);
        std::string_view placement = parts.size() == 2 ? std::string_view(parts[1]) : "";
        if (!name || !StartsWithIgnoreCase(placement, "CODE "))
            return At(line, "DEFSECT expects \"name\", CODE AT address");
        placement = TrimBlanks(placement.substr(5));
        if (!StartsWithIgnoreCase(placement, "AT ") && !StartsWithIgnoreCase(placement, "AT\t"))
            return At(line, "DEFSECT expects \"name\", CODE AT address");
        if (sectionDefined_)
            return At(line, "only one section per source is supported");
        Result<long long> address = Value(placement.substr(3), line);
        if (!address)
            return address.error();
        if (*address < 0 || *address >= kAddressLimit)
            return At(line, "section address out of range");
        sectionDefined_ = true;
        section_ = {*name, *address};
        module_.sectionName = *name;
        module_.address = *address;
        return Status::Ok();
    }

    Status SelectSection(const std::string& operands, const SourceLine& line) {
        std::optional<std::string> name = DoubleQuoted(operands);
        if (!name)
            return At(line, "SECT expects a section name in double quotes");
        if (!sectionDefined_ || *name != section_.name)
            return At(line, "section \"" + *name + "\" is not defined");
        inSection_ = true;
        return Status::Ok();
    }

    Status DeclareGlobals(const std::string& operands, const SourceLine& line) {
        std::vector<std::string> names = SplitList(operands);
        for (const std::string& name : names) {
            if (!IsIdentifier(name))
                return At(line, "GLOBAL expects names");
            globals_.push_back({name, caseSensitive_, &line});
        }
        return Status::Ok();
    }

    Result<std::string> DataBytes(const std::string& operands, const SourceLine& line, Pass pass) {
        std::string bytes;
        for (const std::string& item : DataItems(operands)) {
            if (item.empty())
                return At(line, "DB expects values");
            if (IsQuote(item[0])) {
                std::optional<std::string> text = StringLiteral(item);
                if (!text)
                    return At(line, "bad string " + item);
                bytes += *text;
                continue;
            }
            Result<long long> value = pass == Pass::kEmit ? Value(item, line) : 0LL;
            if (!value)
                return value.error();
            if (*value < -128 || *value > 255)
                return At(line, "value out of range for DB: " + item);
            bytes += static_cast<char>(*value & 0xFF);
        }
        return bytes;
    }

    Result<std::string> DataWords(const std::string& operands, const SourceLine& line, Pass pass) {
        std::string bytes;
        for (const std::string& item : DataItems(operands)) {
            if (item.empty())
                return At(line, "DW expects values");
            Result<long long> value = pass == Pass::kEmit ? Value(item, line) : 0LL;
            if (!value)
                return value.error();
            if (*value < -32768 || *value > 65535)
                return At(line, "value out of range for DW: " + item);
            bytes += static_cast<char>(*value & 0xFF);
            bytes += static_cast<char>((*value >> 8) & 0xFF);
        }
        return bytes;
    }

    static std::vector<std::string> DataItems(const std::string& operands) {
        return operands.empty() ? std::vector<std::string>{""} : SplitList(operands);
    }

    Result<std::string> Space(const std::string& operands, const SourceLine& line) {
        Result<long long> count = Value(operands, line);
        if (!count)
            return count.error();
        if (*count < 0 || *count >= kAddressLimit)
            return At(line, "DS count out of range");
        return std::string(static_cast<size_t>(*count), '\0');
    }

    Result<std::string> InstructionBytes(const Instruction& instruction,
                                         const std::string& operands, const SourceLine& line,
                                         Pass pass) {
        if (pass == Pass::kEmit) {
            Status checked = CheckOperands(operands, Lookup());
            if (!checked)
                return At(line, checked.error().message);
        }
        return Placeholder(instruction);
    }

    Status Define(const std::string& name, long long value, const SourceLine& line) {
        return Enter(name, Symbol{name, value, {}, caseSensitive_, false, &line});
    }

    Status Define(const std::string& name, const std::string& expression, const SourceLine& line) {
        return Enter(name, Symbol{name, std::nullopt, expression, caseSensitive_, false, &line});
    }

    Status Enter(const std::string& name, Symbol symbol) {
        const SourceLine& here = *symbol.where;
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
            Result<long long> value = Resolve(*symbol);
            if (!value)
                return At(*symbol->where, value.error().message);
        }
        return Status::Ok();
    }

    Result<long long> Resolve(Symbol& symbol) {
        if (symbol.value)
            return *symbol.value;
        if (symbol.resolving)
            return Diagnostic{{}, 0, "symbol '" + symbol.name + "' is defined by itself"};
        symbol.resolving = true;
        bool mode = std::exchange(caseSensitive_, symbol.caseSensitive);
        Result<long long> value = Evaluate(symbol.expression, Lookup());
        caseSensitive_ = mode;
        symbol.resolving = false;
        if (value)
            symbol.value = *value;
        return value;
    }

    SymbolLookup Lookup() {
        return [this](const std::string& name) -> Result<long long> {
            auto it = symbols_.find(Key(name));
            if (it == symbols_.end())
                return Diagnostic{{}, 0, "undefined symbol '" + name + "'"};
            return Resolve(it->second);
        };
    }

    Result<long long> Value(std::string_view expression, const SourceLine& line) {
        Result<long long> value = Evaluate(expression, Lookup());
        if (!value)
            return At(line, value.error().message);
        return value;
    }

    Result<ObjectModule> Globals() {
        for (const GlobalName& global : globals_) {
            caseSensitive_ = global.caseSensitive;
            Result<long long> value = Lookup()(global.name);
            if (!value)
                return At(*global.where, value.error().message);
            if (*value < 0)
                return At(*global.where, "global symbol '" + global.name + "' is negative");
            module_.globals.push_back({global.name, *value});
        }
        return module_;
    }

    struct Section {
        std::string name;
        long long address = 0;
    };

    const SourceReader& read_;
    std::vector<SourceFile> files_;
    std::vector<SourceLine> lines_;
    std::map<std::string, Symbol> symbols_;
    std::vector<Symbol*> order_;
    std::vector<GlobalName> globals_;
    bool caseSensitive_ = false;
    bool sectionDefined_ = false;
    bool inSection_ = false;
    Section section_;
    long long offset_ = 0;
    ObjectModule module_;
};

}  // namespace

Result<ObjectModule> Assemble(const std::string& sourceName, const SourceReader& read) {
    return Assembler(read).Run(sourceName);
}

}  // namespace cuffware::toolchain
