#pragma once
// The bodies the assembler assembles more than once: a macro's lines at
// each use, and a REPT block's lines count times over.
//   REPT count      the lines up to the matching ENDR, count times (0..65535)
//   LOCAL a, b      among the first lines of a macro or REPT body: names that
//                   stand for a label of their own at each use
// A LOCAL name becomes "Owner.name.N": the macro's name (REPT for a REPT
// block) and the use's number, counted from 1 in each pass.

#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "toolchain/assembler/source_line.h"
#include "toolchain/assembler/source_text.h"

namespace cuffware::toolchain {

constexpr long long kMaxRepeatCount = 65535;
constexpr size_t kMaxLineLength = 64 << 10;  // a line after expansion

// REPT, ENDR and LOCAL: the words this file reads. Inline: every line asks.
inline bool IsBodyKeyword(std::string_view word) {
    return !KeywordAmong(word, {"REPT", "ENDR", "LOCAL"}).empty();
}

// The index of the ENDR that closes the REPT block at lines[start]
// (blocks nest), or nullopt when there is none.
std::optional<size_t> MatchingEndr(std::span<const SourceLine> lines, size_t start);

// Fails, saying why, on a REPT count out of 0..kMaxRepeatCount.
Status CheckRepeatCount(long long count);

struct BodyUse {
    std::vector<std::string> parameters;
    std::vector<std::string> arguments;  // as many as parameters
    std::string owner;                   // the macro's name, or REPT
    int number = 0;                      // the use's number
    bool caseSensitive = false;          // how names are matched
    bool readsLocal = true;              // false while a macro named LOCAL is defined
    size_t bytesLeft = 0;                // of the text the lines may hold in all
};

struct ExpandedBody {
    std::vector<SourceLine> lines;
    size_t bytes = 0;        // the text the lines hold
    bool overBytes = false;  // the lines would hold more than BodyUse::bytesLeft: cut short
};

// The lines of one use of a body: the LOCAL lines at its start left out,
// each parameter and LOCAL name, as a whole word (letters, digits and _ that
// do not start with a digit), replaced. The lines keep their place unless
// at is given, whose place they all take. Fails on a LOCAL line without
// names or one that repeats a name or a parameter, and on a line that grows
// longer than kMaxLineLength. The lines' texts are kept in texts, which the
// lines view.
Result<ExpandedBody> ExpandBody(std::span<const SourceLine> body, const BodyUse& use,
                                const SourceLine* at, std::deque<std::string>& texts);

}  // namespace cuffware::toolchain
