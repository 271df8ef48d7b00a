#include "toolchain/assembler/assembler_state.h"

namespace cuffware::toolchain::assembler_internal {

std::string Assembler::Key(const std::string& name) const {
    return caseSensitive_ ? name : ToUpperAscii(name);
}

Status Assembler::Enter(const std::string& name, Symbol symbol) {
    const SourceLine& here = *symbol.where;
    std::string key = Key(name);
    if (externKeys_.count(key))
        return At(here, "symbol " + Quoted(name) + " is declared EXTERN and defined here");
    auto [held, added] = symbols_.Add(std::move(key), std::move(symbol));
    if (!added) {
        const SourceLine& first = *held->where;
        return At(here, "symbol " + Quoted(name) + " already defined at " +
                            Where(first.file, first.number));
    }
    order_.push_back(held);
    return Status::Ok();
}

void Assembler::ResolveEquates() {
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

std::optional<std::string> Assembler::FirstUnknownName(std::string_view expression) const {
    Result<std::vector<Token>> tokens = Tokenize(expression);
    if (!tokens)
        return std::nullopt;
    for (const Token& token : *tokens) {
        std::string key = Key(token.text);
        if (token.kind == Token::kIdentifier && !symbols_.Contains(key) &&
            !externKeys_.count(key) && !IsFunctionName(token.text))
            return token.text;
    }
    return std::nullopt;
}

bool Assembler::IsFunctionName(const std::string& name) {
    return EqualsIgnoreCase(name, "LOW") || EqualsIgnoreCase(name, "HIGH") ||
           EqualsIgnoreCase(name, "BANK");
}

void Assembler::ReportForwardUses() {
    for (const ForwardUse& use : forwardUses_) {
        caseSensitive_ = use.caseSensitive;
        const Symbol* symbol = symbols_.Find(Key(use.name));
        if (!symbol) {
            Record(*use.line, UndefinedMessage(use.name));
            continue;
        }
        const SourceLine& defined = *symbol->where;
        Record(*use.line, Quoted(use.name) + " must be known at this line (" + use.what +
                              "), but it is defined further on, at " +
                              Where(defined.file, defined.number));
    }
}

std::map<std::string, toolchain::Value> Assembler::SetValuesIn(std::string_view expression) const {
    std::map<std::string, toolchain::Value> values;
    Result<std::vector<Token>> tokens = Tokenize(expression);
    if (!tokens)
        return values;
    for (const Token& token : *tokens) {
        const Symbol* symbol =
            token.kind == Token::kIdentifier ? symbols_.Find(Key(token.text)) : nullptr;
        if (symbol && symbol->redefinable && symbol->value)
            values.emplace(Key(token.text), *symbol->value);
    }
    return values;
}

Result<toolchain::Value> Assembler::Resolve(Symbol& symbol) {
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
    Result<toolchain::Value> value =
        EvaluateValue(symbol.equate ? symbol.equate->expression : std::string(), Lookup());
    caseSensitive_ = mode;
    resolving_.pop_back();
    symbol.resolving = false;
    if (value)
        symbol.value = *value;
    return value;
}

const SymbolLookup& Assembler::Lookup() {
    return lookup_;
}

Result<toolchain::Value> Assembler::NamedValue(const std::string& name) {
    const EquateLine* equate = resolving_.empty() ? nullptr : resolving_.back()->equate.get();
    if (name == "$") {
        std::optional<toolchain::Value> here = equate     ? equate->here
                                               : current_ ? std::optional(Here())
                                                          : std::nullopt;
        if (!here)
            return Diagnostic{{}, 0, "'$' outside a section"};
        return *here;
    }
    std::string key = Key(name);
    if (failedNames_.count(key))
        return Diagnostic{{}, 0, std::string(kAlreadyReported)};
    Symbol* symbol = symbols_.Find(key);
    if (symbol && equate && symbol->redefinable) {
        auto set = equate->setValues.find(key);
        if (set == equate->setValues.end())
            return Diagnostic{
                {}, 0, "SET symbol " + Quoted(name) + " has no value yet at the equ line"};
        return set->second;
    }
    if (symbol)
        return Resolve(*symbol);
    if (externKeys_.count(key))
        return toolchain::Value(name, 0);
    return Diagnostic{{}, 0, UndefinedMessage(name)};
}

std::string Assembler::UndefinedMessage(const std::string& name) const {
    return "undefined symbol " + Quoted(name);
}

Result<long long> Assembler::KnownValue(std::string_view expression, const SourceLine& line,
                                        const std::string& what) {
    std::pair<size_t, std::string> key{line.order, std::string(line.Text())};
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

}  // namespace cuffware::toolchain::assembler_internal
