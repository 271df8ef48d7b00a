#include "toolchain/assembler/assembler_state.h"

#include <algorithm>

namespace cuffware::toolchain::assembler_internal {

const Assembler::DirectiveRule* Assembler::FindDirective(const std::string& name) {
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
    if (name.empty())
        return nullptr;
    char first =
        name[0] >= 'a' && name[0] <= 'z' ? static_cast<char>(name[0] - 'a' + 'A') : name[0];
    for (const DirectiveRule& rule : kDirectives) {
        // The length and the first letter first, inline: every instruction
        // line asks for all ten.
        if (rule.name.size() == name.size() && rule.name[0] == first &&
            EqualsIgnoreCase(rule.name, name))
            return &rule;
    }
    return nullptr;
}

bool Assembler::IsKeyword(const std::string& name) {
    return IsMnemonic(name) || FindDirective(name);
}

bool Assembler::IsReservedName(const std::string& name) {
    return IsKeyword(name) && !EqualsIgnoreCase(name, "ALIGN");
}

bool Assembler::GivesData(std::string_view keyword) {
    return keyword == "DB" || keyword == "DW" || keyword == "DS" || keyword == "ALIGN";
}

Status Assembler::End(const std::string&, const std::string&, const SourceLine&) {
    return Status::Ok();
}

Status Assembler::StrayEndm(const std::string&, const std::string&, const SourceLine& line) {
    return At(line, "ENDM without MACRO");
}

Status Assembler::Control(const Statement& statement, const SourceLine& line) {
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

Status Assembler::Definition(const Statement& statement, const SourceLine& line) {
    if (statement.definer == "EQU") {
        if (pass_ != Pass::kPlace)
            return Status::Ok();
        EquateLine equate{.expression = statement.operands,
                          .here = current_ ? std::optional(Here()) : std::nullopt,
                          .setValues = SetValuesIn(statement.operands)};
        return Enter(statement.name,
                     Symbol{.name = statement.name,
                            .caseSensitive = caseSensitive_,
                            .where = &line,
                            .equate = std::make_unique<const EquateLine>(std::move(equate))});
    }
    Result<toolchain::Value> value = EvaluateValue(statement.operands, Lookup());
    if (!value)
        return At(line, value.error().message);
    Symbol* known = symbols_.Find(Key(statement.name));
    if (known && known->redefinable) {
        known->value = *value;
        return Status::Ok();
    }
    return Enter(statement.name, Symbol{.name = statement.name,
                                        .value = *value,
                                        .caseSensitive = caseSensitive_,
                                        .redefinable = true,
                                        .where = &line});
}

Status Assembler::Directive(const Statement& statement, const SourceLine& line) {
    // Most sources write keywords in upper case already: no copy for them.
    std::string upperCased;
    bool hasLower = std::any_of(statement.name.begin(), statement.name.end(),
                                [](char c) { return c >= 'a' && c <= 'z'; });
    const std::string& keyword =
        hasLower ? upperCased = ToUpperAscii(statement.name) : statement.name;
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
    if (Listing()) {
        const InstructionForm* form =
            GivesData(keyword)
                ? nullptr
                : FormAt(std::span(reinterpret_cast<const unsigned char*>(encoded->bytes.data()),
                                   encoded->bytes.size()));
        static const std::string kNoCycles;  // a reference, not a copy of the form's
        ListLine(line, address, encoded->bytes, form ? form->cycles : kNoCycles);
    }
    offsets_[*current_] += size;
    return Status::Ok();
}

Status Assembler::DefineSection(const std::string&, const std::string& operands,
                                const SourceLine& line) {
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

Status Assembler::PlaceSection(Section& section, const SectionAttributes& attributes,
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

void Assembler::CheckOverlaps() {
    auto where = [this](const SourceLine& line) { return Where(line.file, line.number); };
    for (const SectionOverlap& overlap :
         SectionOverlaps(sections_, module_.sections, offsets_, where))
        Record(*overlap.line, overlap.reason);
}

Status Assembler::SelectSection(const std::string&, const std::string& operands,
                                const SourceLine& line) {
    std::optional<std::string> name = DoubleQuoted(operands);
    if (!name)
        return At(line, "SECT expects a section name in double quotes");
    std::optional<size_t> known = sections_.Find(*name);
    if (!known)
        return At(line, "section \"" + Shortened(*name) + "\" is not defined");
    current_ = known;
    return Status::Ok();
}

Status Assembler::Declare(const std::string& keyword, const std::string& operands,
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

void Assembler::Declarations() {
    for (const DeclaredName& global : globals_) {
        caseSensitive_ = global.caseSensitive;
        Record(*global.where, Declaration(global));
    }
    for (const DeclaredName& name : externs_)
        module_.externs.push_back(name.name);
}

Status Assembler::Declaration(const DeclaredName& global) {
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

}  // namespace cuffware::toolchain::assembler_internal
