#include "toolchain/linker/linker.h"

#include <unordered_map>

#include "toolchain/object/source_place.h"

namespace cuffware::toolchain {

namespace {

// A global as the linked module numbers its section. It holds no pointer
// into the inputs: their parts are moved into the linked module.
struct Definition {
    size_t input;  // the defining module's index
    std::optional<size_t> section;
    long long value;
};

// The base and addend of a global, in the linked module's numbering.
std::pair<std::string, long long> Resolved(const Definition& definition) {
    if (!definition.section)
        return {std::string(), definition.value};
    return {SectionBase(*definition.section), definition.value};
}

}  // namespace

Result<ObjectModule> Link(std::vector<LinkInput> inputs) {
    std::unordered_map<std::string, Definition> definitions;
    std::vector<size_t> sectionOffsets;
    size_t sections = 0;
    for (size_t m = 0; m < inputs.size(); ++m) {
        const LinkInput& input = inputs[m];
        sectionOffsets.push_back(sections);
        for (const GlobalSymbol& symbol : input.module.globals) {
            std::optional<size_t> section = symbol.section;
            if (section)
                *section += sections;
            auto [it, added] =
                definitions.try_emplace(symbol.name, Definition{m, section, symbol.value});
            if (!added)
                return Diagnostic{input.fileName, 0,
                                  "symbol '" + symbol.name + "' is defined in " +
                                      inputs[it->second.input].fileName + " and in " +
                                      input.fileName};
        }
        sections += input.module.sections.size();
    }

    ObjectModule linked;
    size_t labels = 0;
    for (const LinkInput& input : inputs)
        labels += input.module.labels.size();
    linked.labels.reserve(labels);
    linked.sections.reserve(sections);
    linked.source = inputs.empty() ? std::string() : inputs[0].module.source;
    for (size_t m = 0; m < inputs.size(); ++m) {
        LinkInput& input = inputs[m];
        size_t offset = sectionOffsets[m];
        for (const std::string& name : input.module.externs) {
            if (!definitions.count(name))
                return Diagnostic{
                    input.fileName, 0,
                    "undefined symbol '" + name + "' (EXTERN here, GLOBAL in no module)"};
        }
        for (Section& section : input.module.sections) {
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
        for (GlobalSymbol& symbol : input.module.globals) {
            if (symbol.section)
                *symbol.section += offset;
            linked.globals.push_back(std::move(symbol));
        }
        for (Label& label : input.module.labels) {
            label.section += offset;
            linked.labels.push_back(std::move(label));
        }
        linked.origins.push_back({input.fileName, offset, input.module.sections.size()});
    }
    return linked;
}

}  // namespace cuffware::toolchain
