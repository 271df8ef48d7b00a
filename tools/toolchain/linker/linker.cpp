#include "toolchain/linker/linker.h"

#include <map>

#include "toolchain/object/source_place.h"

namespace cuffware::toolchain {

namespace {

struct Definition {
    const std::string* fileName;
    size_t sectionOffset;  // of the defining module's sections in the linked module
    const GlobalSymbol* symbol;
};

// The base and addend of a global, in the linked module's numbering.
std::pair<std::string, long long> Resolved(const Definition& definition) {
    const GlobalSymbol& symbol = *definition.symbol;
    if (!symbol.section)
        return {std::string(), symbol.value};
    return {SectionBase(*symbol.section + definition.sectionOffset), symbol.value};
}

}  // namespace

Result<ObjectModule> Link(const std::vector<LinkInput>& inputs) {
    std::map<std::string, Definition> definitions;
    std::vector<size_t> sectionOffsets;
    size_t sections = 0;
    for (const LinkInput& input : inputs) {
        sectionOffsets.push_back(sections);
        for (const GlobalSymbol& symbol : input.module.globals) {
            auto [it, added] = definitions.try_emplace(
                symbol.name, Definition{&input.fileName, sections, &symbol});
            if (!added)
                return Diagnostic{input.fileName, 0,
                                  "symbol '" + symbol.name + "' is defined in " +
                                      *it->second.fileName + " and in " + input.fileName};
        }
        sections += input.module.sections.size();
    }

    ObjectModule linked;
    linked.source = inputs.empty() ? std::string() : inputs[0].module.source;
    for (size_t m = 0; m < inputs.size(); ++m) {
        const LinkInput& input = inputs[m];
        size_t offset = sectionOffsets[m];
        for (const std::string& name : input.module.externs) {
            if (!definitions.count(name))
                return Diagnostic{
                    input.fileName, 0,
                    "undefined symbol '" + name + "' (EXTERN here, GLOBAL in no module)"};
        }
        for (Section section : input.module.sections) {
            for (Relocation& r : section.relocations) {
                if (std::optional<size_t> own = SectionOfBase(r.base)) {
                    r.base = SectionBase(*own + offset);
                } else if (!r.base.empty()) {
                    auto it = definitions.find(r.base);
                    if (it == definitions.end())
                        return AtSource(r.where, input.fileName,
                                        "undefined symbol '" + r.base + "'");
                    auto [base, value] = Resolved(it->second);
                    r.base = base;
                    if (__builtin_add_overflow(r.addend, value, &r.addend))
                        return AtSource(
                            r.where, input.fileName,
                            r.what + " takes '" + it->first + "' plus an addend beyond 64 bits");
                }
            }
            linked.sections.push_back(std::move(section));
        }
        for (GlobalSymbol symbol : input.module.globals) {
            if (symbol.section)
                *symbol.section += offset;
            linked.globals.push_back(std::move(symbol));
        }
        for (Label label : input.module.labels) {
            label.section += offset;
            linked.labels.push_back(std::move(label));
        }
        linked.origins.push_back({input.fileName, offset, input.module.sections.size()});
    }
    return linked;
}

}  // namespace cuffware::toolchain
