#pragma once
// The names a source defines, declares and uses before they stand.

#include <map>
#include <optional>
#include <string>

#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/source_text.h"

namespace cuffware::toolchain {

// A label's value is known from the first pass; an equate keeps its
// expression until something asks for its value; a SET symbol takes a new
// value at each of its lines.
struct Symbol {
    std::string name;
    std::optional<Value> value = std::nullopt;
    std::string expression = {};
    bool caseSensitive = false;  // the $CASE mode the expression is read in
    bool redefinable = false;
    bool resolving = false;
    const SourceLine* where = nullptr;
    // An equate is read as it stands: '$' is the address at its line and a
    // SET symbol has the value it had there.
    std::optional<Value> here = std::nullopt;
    std::map<std::string, Value> setValues = {};
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
