#pragma once
// The names a source defines, declares and uses before they stand.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/source_text.h"

namespace cuffware::toolchain {

// What an equate keeps until something asks for its value. It is read as
// it stands: '$' is the address at its line and a SET symbol has the value
// it had there.
struct EquateLine {
    std::string expression;
    std::optional<Value> here = std::nullopt;
    std::map<std::string, Value> setValues = {};
};

// A label's value is known from the first pass; an equate keeps its line
// (apart, so the many labels of a source stay small); a SET symbol takes a
// new value at each of its lines.
struct Symbol {
    std::string name;
    std::optional<Value> value = std::nullopt;
    bool caseSensitive = false;  // the $CASE mode the expression is read in
    bool redefinable = false;
    bool resolving = false;
    const SourceLine* where = nullptr;
    std::unique_ptr<const EquateLine> equate = nullptr;  // for an equate only
};

struct DeclaredName {
    std::string name;
    bool caseSensitive;
    const SourceLine* where;
};

// A name used where its value must be known, not known at that line.
struct ForwardUse {
    const SourceLine* line;
    std::string name;
    std::string what;  // "IF", "DS", ...
    bool caseSensitive;
};

}  // namespace cuffware::toolchain
