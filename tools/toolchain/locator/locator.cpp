#include "toolchain/locator/locator.h"

#include <algorithm>

#include "toolchain/object/alignment.h"
#include "toolchain/object/source_place.h"

namespace cuffware::toolchain {

namespace {

constexpr long long kAddressLimit = 0x1000000;
constexpr long long kBankSize = 0x10000;

// "section .text of clock.obj", or "section .text" when the linked module
// does not say which object it came from.
std::string SectionName(const ObjectModule& module, size_t index) {
    std::string name = "section " + module.sections[index].name;
    for (const ModuleOrigin& origin : module.origins) {
        if (index >= origin.firstSection && index < origin.firstSection + origin.sectionCount)
            return name + " of " + origin.object;
    }
    return name;
}

Status Place(ObjectModule& module, const std::string& fileName) {
    long long next = 0;
    for (size_t i = 0; i < module.sections.size(); ++i) {
        Section& section = module.sections[i];
        if (!section.address)
            section.address = next + PaddingTo(next, section.alignment);
        long long size = static_cast<long long>(section.bytes.size());
        next = *section.address + size;
        if (next > kAddressLimit)
            return Diagnostic{fileName, 0,
                              SectionName(module, i) + " runs past the 24-bit address space"};
        if (size > 0 && *section.address / kBankSize != (next - 1) / kBankSize)
            return Diagnostic{fileName, 0,
                              SectionName(module, i) + " at 0x" + Hex(*section.address, 6) +
                                  " runs over the end of its 64 KiB bank at 0x" +
                                  Hex((*section.address / kBankSize + 1) * kBankSize - 1, 6)};
    }
    std::vector<size_t> byAddress;
    for (size_t i = 0; i < module.sections.size(); ++i) {
        if (!module.sections[i].bytes.empty())
            byAddress.push_back(i);
    }
    std::stable_sort(byAddress.begin(), byAddress.end(), [&module](size_t a, size_t b) {
        return *module.sections[a].address < *module.sections[b].address;
    });
    for (size_t i = 1; i < byAddress.size(); ++i) {
        const Section& before = module.sections[byAddress[i - 1]];
        const Section& after = module.sections[byAddress[i]];
        if (*before.address + static_cast<long long>(before.bytes.size()) > *after.address)
            return Diagnostic{fileName, 0,
                              SectionName(module, byAddress[i - 1]) + " and " +
                                  SectionName(module, byAddress[i]) + " overlap at 0x" +
                                  Hex(*after.address, 6)};
    }
    return Status::Ok();
}

Status Fill(ObjectModule& module, const std::string& fileName) {
    for (Section& section : module.sections) {
        for (const Relocation& r : section.relocations) {
            long long value = r.addend;
            if (std::optional<size_t> base = SectionOfBase(r.base)) {
                if (__builtin_add_overflow(value, *module.sections[*base].address, &value))
                    return AtSource(r.where, fileName,
                                    r.what + " takes an address plus an addend beyond 64 bits");
            } else if (!r.base.empty()) {
                return AtSource(r.where, fileName, "undefined symbol '" + r.base + "'");
            }
            value = PartOf(value, r.part);
            long long fieldAddress = *section.address + static_cast<long long>(r.offset);
            if (Status put = PutField(r.kind, value, fieldAddress, section.bytes, r.offset); !put)
                return AtSource(r.where, fileName, r.what + " " + put.error().message);
        }
        section.relocations.clear();
    }
    return Status::Ok();
}

}  // namespace

Result<ObjectModule> Locate(ObjectModule linked, const std::string& fileName) {
    if (Status placed = Place(linked, fileName); !placed)
        return placed.error();
    if (Status filled = Fill(linked, fileName); !filled)
        return filled.error();
    for (GlobalSymbol& symbol : linked.globals) {
        if (symbol.section)
            symbol.value += *linked.sections[*symbol.section].address;
        symbol.section.reset();
    }
    return linked;
}

}  // namespace cuffware::toolchain
