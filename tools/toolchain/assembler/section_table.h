#pragma once
// The sections a source defines: the line that defines each, found by name,
// and the check that sections fixed at their places share no byte.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolchain/assembler/source_text.h"
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

class SectionTable {
  public:
    std::optional<size_t> Find(const std::string& name) const;
    // The new section's index: the order of definition, as in the module.
    size_t Define(const std::string& name, const SourceLine& line);
    const SourceLine& DefinedAt(size_t index) const { return *places_[index].line; }
    const std::string& Name(size_t index) const { return places_[index].name; }
    size_t Count() const { return places_.size(); }

  private:
    struct Place {
        std::string name;
        const SourceLine* line;
    };
    std::vector<Place> places_;
    std::map<std::string, size_t> index_;
};

// A section whose place shares a byte with one placed lower, reported at
// the line that defines it.
struct SectionOverlap {
    const SourceLine* line;
    std::string reason;
};

// The overlaps among the sections with a fixed place and bytes; sizes are
// the bytes each section holds, where gives "FILE:LINE" for a line.
std::vector<SectionOverlap> SectionOverlaps(
    const SectionTable& table, const std::vector<Section>& sections,
    const std::vector<long long>& sizes,
    const std::function<std::string(const SourceLine&)>& where);

// A number as the dialect writes it: 010000h.
std::string HexNumber(long long value);

}  // namespace cuffware::toolchain
