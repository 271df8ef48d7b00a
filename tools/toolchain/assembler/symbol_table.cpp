#include "toolchain/assembler/symbol_table.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace cuffware::toolchain {

namespace {

constexpr size_t kFewestSlots = 16;

uint64_t HashOf(std::string_view key) {
    return std::hash<std::string_view>()(key);
}

constexpr int kIndexBits = 24;  // more symbols than a run's lines can define
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;

uint32_t Tag(uint64_t hash) {
    return static_cast<uint32_t>(hash >> 56) << kIndexBits;
}

}  // namespace

void SymbolTable::Reserve(size_t count) {
    size_t wanted = std::bit_ceil(std::max(kFewestSlots, 2 * count));
    if (wanted > slots_.size())
        Rehash(wanted);
}

size_t SymbolTable::SlotOf(std::string_view key, uint64_t hash) const {
    size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        uint32_t held = slots_[slot];
        if (held == 0 ||
            ((held & ~kIndexMask) == Tag(hash) && entries_[(held & kIndexMask) - 1].key == key))
            return slot;
    }
}

const Symbol* SymbolTable::Find(std::string_view key) const {
    if (entries_.empty())
        return nullptr;
    uint32_t held = slots_[SlotOf(key, HashOf(key))];
    return held == 0 ? nullptr : &entries_[(held & kIndexMask) - 1].symbol;
}

Symbol* SymbolTable::Find(std::string_view key) {
    return const_cast<Symbol*>(std::as_const(*this).Find(key));
}

std::pair<Symbol*, bool> SymbolTable::Add(std::string key, Symbol symbol) {
    if (2 * (entries_.size() + 1) > slots_.size())
        Rehash(std::max(kFewestSlots, 2 * slots_.size()));
    uint64_t hash = HashOf(key);
    size_t slot = SlotOf(key, hash);
    if (slots_[slot] != 0)
        return {&entries_[(slots_[slot] & kIndexMask) - 1].symbol, false};
    entries_.push_back({std::move(key), std::move(symbol)});
    slots_[slot] = Tag(hash) | static_cast<uint32_t>(entries_.size());
    return {&entries_.back().symbol, true};
}

void SymbolTable::Rehash(size_t slotCount) {
    slots_.assign(slotCount, 0);
    for (size_t index = 0; index < entries_.size(); ++index) {
        uint64_t hash = HashOf(entries_[index].key);
        slots_[SlotOf(entries_[index].key, hash)] = Tag(hash) | static_cast<uint32_t>(index + 1);
    }
}

}  // namespace cuffware::toolchain
