#include "toolchain/locator.h"

#include <algorithm>
#include <charconv>

#include "toolchain/alignment.h"

namespace cuffware::toolchain {

namespace {

constexpr long long kAddressLimit = 0x1000000;

// "clock.asm:12" as a diagnostic's file and line.
Diagnostic AtSource(const std::string& where, std::string message) {
    size_t colon = where.rfind(':');
    int line = 0;
    if (colon != std::string::npos)
        std::from_chars(where.data() + colon + 1, where.data() + where.size(), line);
    return Diagnostic{colon == std::string::npos ? where : where.substr(0, colon), line,
                      std::move(message)};
}

Status Place(ObjectModule& module, const std::string& fileName) {
    long long next = 0;
    for (Section& section : module.sections) {
        if (!section.address)
            section.address = next + PaddingTo(next, section.alignment);
        next = *section.address + static_cast<long long>(section.bytes.size());
        if (next > kAddressLimit)
            return Diagnostic{fileName, 0,
                              "section " + section.name + " runs past the 24-bit address space"};
    }
    std::vector<const Section*> byAddress;
    for (const Section& section : module.sections) {
        if (!section.bytes.empty())
            byAddress.push_back(&section);
    }
    std::sort(byAddress.begin(), byAddress.end(),
              [](const Section* a, const Section* b) { return *a->address < *b->address; });
    for (size_t i = 1; i < byAddress.size(); ++i) {
        const Section& before = *byAddress[i - 1];
        const Section& after = *byAddress[i];
        if (*before.address + static_cast<long long>(before.bytes.size()) > *after.address)
            return Diagnostic{fileName, 0,
                              "sections " + before.name + " and " + after.name + " overlap at 0x" +
                                  Hex(*after.address, 6)};
    }
    return Status::Ok();
}

Status Fill(ObjectModule& module) {
    for (Section& section : module.sections) {
        for (const Relocation& r : section.relocations) {
            long long value = r.addend;
            if (std::optional<size_t> base = SectionOfBase(r.base))
                value += *module.sections[*base].address;
            else if (!r.base.empty())
                return AtSource(r.where, "undefined symbol '" + r.base + "'");
            value = PartOf(value, r.part);
            long long fieldAddress = *section.address + static_cast<long long>(r.offset);
            if (Status put = PutField(r.kind, value, fieldAddress, section.bytes, r.offset); !put)
                return AtSource(r.where, r.what + " " + put.error().message);
        }
        section.relocations.clear();
    }
    return Status::Ok();
}

}  // namespace

Result<ObjectModule> Locate(ObjectModule linked, const std::string& fileName) {
    if (Status placed = Place(linked, fileName); !placed)
        return placed.error();
    if (Status filled = Fill(linked); !filled)
        return filled.error();
    for (GlobalSymbol& symbol : linked.globals) {
        if (symbol.section)
            symbol.value += *linked.sections[*symbol.section].address;
        symbol.section.reset();
    }
    return linked;
}

}  // namespace cuffware::toolchain
