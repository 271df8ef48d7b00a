#pragma once
// The symbols of a source by their key (the name, upper-cased unless it was
// defined under $CASE ON), in the order they were added. Every operand that
// names a symbol looks it up, in each pass: a lookup hashes the key once,
// reads one slot of a table with room to spare (which holds part of the
// key's hash beside the symbol's place, so another key's slot is passed over
// without reading its symbol) and then the symbol itself. A symbol stays
// where it was added as the table grows.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolchain/assembler/symbol.h"

namespace cuffware::toolchain {

class SymbolTable {
  public:
    // Room for count symbols without growing.
    void Reserve(size_t count);

    Symbol* Find(std::string_view key);
    const Symbol* Find(std::string_view key) const;
    bool Contains(std::string_view key) const { return Find(key) != nullptr; }

    // The symbol at key: the one already there (not added), or symbol (added).
    std::pair<Symbol*, bool> Add(std::string key, Symbol symbol);

    // Calls each(key, symbol) for every symbol, in the order they were added.
    template <class Each>
    void ForEach(Each each) const {
        for (const Entry& entry : entries_)
            each(entry.key, entry.symbol);
    }

  private:
    struct Entry {
        std::string key;
        Symbol symbol;
    };

    // The slot that holds key, or the empty one where it would go.
    size_t SlotOf(std::string_view key, uint64_t hash) const;
    void Rehash(size_t slotCount);

    std::deque<Entry> entries_;
    // Each slot: the top 8 bits of its key's hash and, below, the entry's
    // index + 1; 0 for an empty slot. A power of two of them, at most half in
    // use, four bytes each: a lookup misses the cache less in a smaller table.
    std::vector<uint32_t> slots_;
};

}  // namespace cuffware::toolchain
