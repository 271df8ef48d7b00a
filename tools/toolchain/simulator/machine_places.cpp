// The program in memory and its places: sections, labels and source lines,
// so an address reads as label+offset and file:line.
#include <algorithm>

#include "toolchain/simulator/machine.h"

namespace cuffware::simulator {

namespace {

const ProgramSection* SectionAt(const std::vector<ProgramSection>& sections, uint32_t address) {
    for (const ProgramSection& section : sections) {
        if (address >= section.address && address - section.address < section.size)
            return &section;
    }
    return nullptr;
}

bool SameSection(const ProgramSection* section, uint32_t address) {
    return section && address >= section->address && address - section->address < section->size;
}

// The last of items (sorted by address) at or below the address: in its
// section, or at the address itself.
template <class Item>
const Item* Nearest(const std::vector<Item>& items, uint32_t address,
                    const ProgramSection* section) {
    auto it = std::upper_bound(items.begin(), items.end(), address,
                               [](uint32_t a, const Item& item) { return a < item.address; });
    if (it == items.begin())
        return nullptr;
    --it;
    if (it->address == address || SameSection(section, it->address))
        return &*it;
    return nullptr;
}

}  // namespace

void Machine::Load(const Program& program) {
    for (const MemoryValue& run : program.bytes) {
        SetMemory(run.address, run.bytes);
        for (uint32_t i = 0; i < run.bytes.size(); ++i)
            memory_.Mark((run.address + i) & 0xFFFFFF, kMarkProgram);
        if (program.sections.empty())
            sections_.push_back({"", run.address, static_cast<uint32_t>(run.bytes.size())});
    }
    sections_.insert(sections_.end(), program.sections.begin(), program.sections.end());
    AddLabels(program.labels);
    lines_.insert(lines_.end(), program.lines.begin(), program.lines.end());
    std::stable_sort(lines_.begin(), lines_.end(), [](const SourceLine& a, const SourceLine& b) {
        return a.address < b.address;
    });
}

void Machine::AddLabels(std::span<const Label> labels) {
    for (const Label& label : labels) {
        labels_.push_back(label);
        labelAddresses_.emplace(label.name, label.address);
    }
    std::stable_sort(labels_.begin(), labels_.end(),
                     [](const Label& a, const Label& b) { return a.address < b.address; });
}

std::optional<uint32_t> Machine::Find(std::string_view label) const {
    auto it = labelAddresses_.find(label);
    if (it == labelAddresses_.end())
        return std::nullopt;
    return it->second;
}

// The nearest label at or below the address in the same section; outside
// the sections only a label at the address itself.
Location Machine::Locate(uint32_t address) const {
    Location place;
    place.address = address;
    const ProgramSection* section = SectionAt(sections_, address);
    if (const Label* label = Nearest(labels_, address, section)) {
        place.label = label->name;
        place.offset = address - label->address;
    }
    if (const SourceLine* line = Nearest(lines_, address, section)) {
        place.file = line->file;
        place.line = line->line;
    }
    return place;
}

}  // namespace cuffware::simulator
