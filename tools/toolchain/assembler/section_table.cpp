#include "toolchain/assembler/section_table.h"

#include <algorithm>

#include "toolchain/assembler/quoted_text.h"
#include "toolchain/isa/hex_text.h"

namespace cuffware::toolchain {

std::optional<size_t> SectionTable::Find(const std::string& name) const {
    auto known = index_.find(name);
    if (known == index_.end())
        return std::nullopt;
    return known->second;
}

size_t SectionTable::Define(const std::string& name, const SourceLine& line) {
    index_.emplace(name, places_.size());
    places_.push_back({name, &line});
    return places_.size() - 1;
}

std::vector<SectionOverlap> SectionOverlaps(
    const SectionTable& table, const std::vector<Section>& sections,
    const std::vector<long long>& sizes,
    const std::function<std::string(const SourceLine&)>& where) {
    std::vector<size_t> placed;
    for (size_t i = 0; i < table.Count(); ++i) {
        if (sections[i].address && sizes[i] > 0)
            placed.push_back(i);
    }
    std::sort(placed.begin(), placed.end(),
              [&](size_t a, size_t b) { return *sections[a].address < *sections[b].address; });
    std::vector<SectionOverlap> overlaps;
    for (size_t k = 1; k < placed.size(); ++k) {
        size_t before = placed[k - 1], after = placed[k];
        long long end = *sections[before].address + sizes[before];
        if (end <= *sections[after].address)
            continue;
        overlaps.push_back({&table.DefinedAt(after),
                            "section \"" + Shortened(table.Name(after)) + "\" at " +
                                HexNumber(*sections[after].address) + " overlaps section \"" +
                                Shortened(table.Name(before)) + "\" (" +
                                HexNumber(*sections[before].address) + ".." + HexNumber(end - 1) +
                                ") defined at " + where(table.DefinedAt(before))});
    }
    return overlaps;
}

std::string HexNumber(long long value) {
    return "0" + Hex(value, 1) + "h";
}

}  // namespace cuffware::toolchain
