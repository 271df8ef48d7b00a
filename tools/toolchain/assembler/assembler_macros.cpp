#include "toolchain/assembler/assembler_state.h"

namespace cuffware::toolchain::assembler_internal {

size_t Assembler::DefineMacro(const Statement& statement, std::span<const SourceLine> lines,
                              size_t start) {
    Macro macro;
    size_t end = start + 1;
    for (int depth = 1; end < lines.size(); ++end) {
        Result<Statement> inner = ReadStatement(lines[end].Text());
        if (inner && inner->kind == Statement::kDefinition && inner->definer == "MACRO")
            ++depth;
        if (inner && inner->kind == Statement::kOther && EqualsIgnoreCase(inner->name, "ENDM") &&
            --depth == 0)
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

const Macro* Assembler::FindMacro(const std::string& name) const {
    if (macros_.empty())
        return nullptr;  // most sources define none: no key to make per line
    auto it = macros_.find(Key(name));
    return it == macros_.end() ? nullptr : &it->second;
}

Status Assembler::Expand(const Macro& macro, const Statement& statement, const SourceLine& line,
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

bool Assembler::TakeExpandedLines(size_t count, const SourceLine& line) {
    expandedLines_ += count;
    if (expandedLines_ <= kMaxExpandedLines)
        return true;
    Stop(line, "macros and REPT blocks expand to more than " + std::to_string(kMaxExpandedLines) +
                   " lines");
    return false;
}

Result<std::vector<SourceLine>> Assembler::ExpandUse(std::span<const SourceLine> body, BodyUse use,
                                                     const SourceLine& line, bool takePlace) {
    use.caseSensitive = caseSensitive_;
    use.readsLocal = !FindMacro("LOCAL");
    use.bytesLeft = kMaxExpandedBytes - expandedBytes_;
    Result<ExpandedBody> expanded =
        ExpandBody(body, use, takePlace ? &line : nullptr, expandedTexts_);
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

size_t Assembler::Repeat(const Statement& statement, std::span<const SourceLine> lines,
                         size_t start, int macroDepth) {
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
    Record(line,
           RepeatBlock(statement, lines.subspan(start + 1, *end - start - 1), line, macroDepth));
    ListLine(lines[*end], std::nullopt, {});
    return *end;
}

Status Assembler::RepeatBlock(const Statement& statement, std::span<const SourceLine> body,
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
    if (!TakeExpandedLines(static_cast<size_t>(*count) * std::max<size_t>(body.size(), 1), line))
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

}  // namespace cuffware::toolchain::assembler_internal
