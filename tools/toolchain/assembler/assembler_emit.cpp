#include "toolchain/assembler/assembler_state.h"

namespace cuffware::toolchain::assembler_internal {

std::string Assembler::Taught(const std::string& keyword, const Statement& statement,
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
            if (!IsIdentifier(operand) || !symbols_.Contains(Key(operand)))
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
    if ((keyword == "JRS" || keyword == "CARS") && message.find(" reaches ") != std::string::npos) {
        std::string taught = message + " (to " + Quoted(operands.back()) + ")";
        Statement longer = statement;
        longer.name = keyword == "JRS" ? "JRL" : "CARL";
        if (Encode(longer.name, longer, line, Placeholders()))
            taught += "; " + longer.name + " reaches anywhere in the bank";
        return taught;
    }
    return message;
}

bool Assembler::IsRegisterIn(const std::string& message) {
    for (std::string_view name :
         {"'HL'", "'IX'", "'IY'", "'SP'", "'BA'", "'A'", "'B'", "'L'", "'H'", "'BR'"}) {
        if (message.ends_with(name))
            return true;
    }
    return false;
}

std::string Assembler::JoinOperands(const std::vector<std::string>& operands) {
    std::string text;
    for (const std::string& operand : operands)
        text += (text.empty() ? "" : ",") + operand;
    return text;
}

Result<Encoded> Assembler::Encode(const std::string& keyword, const Statement& statement,
                                  const SourceLine& line, const ExpressionReader& read) {
    std::string_view word = keyword;  // compared by length first, with no strlen
    if (word == "DB" || word == "DW")
        return Data(keyword, statement.operands, line, read);
    if (word == "DS")
        return Space(statement.operands, line);
    if (word == "ALIGN")
        return Align(statement.operands, line);
    if (pass_ == Pass::kPlace) {
        // Only the length counts yet; the bytes come in the second pass.
        Result<int> length = InstructionLength(statement.name, statement.operands);
        if (!length)
            return length.error();
        return Encoded{std::string(static_cast<size_t>(*length), '\0'), {}};
    }
    return EncodeInstruction(statement.name, statement.operands, PlacedAddress(), read);
}

void Assembler::Emit(const Encoded& encoded, const SourceLine& line) {
    Section& section = module_.sections[*current_];
    size_t start = section.bytes.size();
    section.bytes += encoded.bytes;
    for (const Fixup& fixup : encoded.fixups) {
        section.relocations.push_back({start + fixup.offset, fixup.kind, fixup.value.symbol,
                                       fixup.value.number, fixup.value.part,
                                       Where(line.file, line.number), fixup.what});
    }
}

Result<Encoded> Assembler::Data(const std::string& keyword, const std::string& operands,
                                const SourceLine& line, const ExpressionReader& read) {
    Encoded encoded;
    Status added = Status::Ok();
    ForEachListItem(operands, [&](std::string_view item) {
        added = DataItem(keyword, item, line, read, encoded);
        return added.ok();
    });
    if (!added)
        return added.error();
    return encoded;
}

Status Assembler::DataItem(const std::string& keyword, std::string_view item,
                           const SourceLine& line, const ExpressionReader& read, Encoded& encoded) {
    if (item.empty())
        return At(line, keyword + " expects values");
    FieldKind kind = keyword == "DB" ? FieldKind::kByte : FieldKind::kWord;
    // A whole string gives its bytes; a quoted character within an
    // expression ('A' + 1) is a value.
    std::optional<std::string> text = kind == FieldKind::kByte ? StringLiteral(item) : std::nullopt;
    if (text) {
        encoded.bytes += *text;
        return Status::Ok();
    }
    size_t offset = encoded.bytes.size();
    encoded.bytes.resize(offset + static_cast<size_t>(FieldSize(kind)), '\0');
    if (pass_ == Pass::kPlace)
        return Status::Ok();  // only the size counts yet; the value is read in the second pass
    Result<toolchain::Value> value = read(item);
    if (!value)
        return value.error();
    return PlaceValue(*value, kind, Address() + static_cast<long long>(offset), offset, keyword,
                      encoded);
}

Result<Encoded> Assembler::Space(const std::string& operands, const SourceLine& line) {
    Result<long long> count = KnownValue(operands, line, "DS");
    if (!count)
        return count.error();
    if (*count < 0 || *count > kMaxSectionBytes)
        return At(line, "DS count " + std::to_string(*count) + " out of range 0.." +
                            HexNumber(kMaxSectionBytes) + " (a section holds one bank)");
    return Encoded{std::string(static_cast<size_t>(*count), '\0'), {}};
}

Result<Encoded> Assembler::Align(const std::string& operands, const SourceLine& line) {
    Result<long long> alignment = Alignment(operands, line, "ALIGN");
    if (!alignment)
        return alignment.error();
    Section& section = module_.sections[*current_];
    if (!section.address)
        section.alignment = std::max(section.alignment, *alignment);
    return Encoded{std::string(static_cast<size_t>(PaddingTo(Address(), *alignment)), '\0'), {}};
}

Result<long long> Assembler::Alignment(std::string_view expression, const SourceLine& line,
                                       const std::string& what) {
    Result<long long> alignment = KnownValue(expression, line, what);
    if (!alignment)
        return alignment.error();
    if (Status checked = CheckAlignment(*alignment); !checked)
        return At(line, checked.error().message);
    return alignment;
}

ExpressionReader Assembler::Reader(const SourceLine& line) {
    if (pass_ == Pass::kPlace)
        return Placeholders();
    return [this, &line](std::string_view expression) -> Result<toolchain::Value> {
        Result<toolchain::Value> value = EvaluateValue(expression, Lookup());
        if (!value)
            return At(line, value.error().message);
        return value;
    };
}

ExpressionReader Assembler::Placeholders() {
    return [](std::string_view) -> Result<toolchain::Value> { return toolchain::Value("?", 0); };
}

long long Assembler::Address() const {
    return PlacedAddress().value_or(offsets_[*current_]);
}

// Here()'s number, with no Value made: every line that gives bytes asks.
std::optional<long long> Assembler::PlacedAddress() const {
    const std::optional<long long>& base = module_.sections[*current_].address;
    return base ? std::optional(*base + offsets_[*current_]) : std::nullopt;
}

toolchain::Value Assembler::Here() const {
    const Section& section = module_.sections[*current_];
    long long offset = offsets_[*current_];
    if (section.address)
        return *section.address + offset;
    return toolchain::Value(SectionBase(*current_), offset);
}

void Assembler::ListLine(const SourceLine& line, std::optional<long long> address,
                         std::string_view bytes, const std::string& cycles) {
    if (!Listing())
        return;
    ListedLine listed{line.file, line.number, std::nullopt, 0, 0, cycles, std::string(line.Text())};
    if (address && current_) {
        listed.section = *current_;
        listed.offset = static_cast<size_t>(offsets_[*current_]);
        listed.size = bytes.size();
    }
    module_.listing.push_back(std::move(listed));
}

}  // namespace cuffware::toolchain::assembler_internal
