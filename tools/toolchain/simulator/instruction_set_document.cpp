#include "toolchain/simulator/instruction_set_document.h"

#include <map>
#include <vector>

#include "toolchain/isa/instruction_set.h"
#include "toolchain/simulator/semantic_groups.h"

namespace cuffware::simulator {

namespace {

// A table text for a Markdown cell, without its references to sections of
// the semantics' source (" (semantics §4)"), which the document does not carry.
std::string Cell(std::string text) {
    for (size_t at = text.find(" (semantics §"); at != std::string::npos;
         at = text.find(" (semantics §"))
        text.erase(at, text.find(')', at) + 1 - at);
    std::string escaped;
    for (char c : text)
        escaped += c == '|' ? std::string("\\|") : std::string(1, c);
    return escaped;
}

std::string Bytes(const toolchain::InstructionForm& form) {
    std::string text;
    for (unsigned char byte : form.opcode) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        text += (text.empty() ? "" : " ") + std::string{kDigits[byte >> 4], kDigits[byte & 15]};
    }
    for (const std::string& field : form.fields)
        text += " " + field;
    return text;
}

// "Z C V N" for the flags a group changes; "SC" when it writes all of SC.
std::string FlagsChanged(const SemanticGroup& group) {
    static constexpr const char* kNames[] = {"Z", "C", "V", "N"};
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (group.flags[i] != "-")
            text += (text.empty() ? "" : " ") + std::string(kNames[i]);
    }
    return text.empty() ? "–" : text;
}

}  // namespace

std::string InstructionSetDocument() {
    std::map<const SemanticGroup*, std::vector<const toolchain::InstructionForm*>> byGroup;
    for (const toolchain::InstructionForm& form : toolchain::InstructionForms())
        byGroup[GroupOf(form)].push_back(&form);

    std::string text =
        "# The S1C88 instruction set\n\n"
        "Made at build time from the project's own tables, `tools/toolchain/isa/instructions.tsv`\n"
        "and `tools/toolchain/isa/semantics.tsv`, which the assembler, the disassembler and the\n"
        "simulator `sim88` are driven by. Every form of the core, grouped by what it does. Bytes\n"
        "in fetch order: `nn`, `bb`, `pp`, `kk`, `ll` are bytes, `dd` and `rr` signed bytes,\n"
        "`ll hh`, `nn mm` and `rr qq` 16-bit values low byte first. Cycles are maximum mode's;\n"
        "`x:y` is taken:not taken. In minimum mode and on MODEL0/1 every taken call, INT and\n"
        "return takes one cycle less. Flags: those the form may change (`–`: none).\n";
    for (const SemanticGroup& group : SemanticGroups()) {
        text += "\n## " + group.name + "\n\n" + Cell(group.result) + ".\n\n";
        static constexpr const char* kNames[] = {"Z", "C", "V", "N"};
        for (int i = 0; i < 4; ++i)
            text += std::string("- ") + kNames[i] + ": " + Cell(group.flags[i]) + "\n";
        text += "- D/U: " + Cell(group.modes) + "\n- cycles: " + Cell(group.cycles) + "\n\n";
        text += "| form | bytes | length | cycles | flags |\n|---|---|---|---|---|\n";
        for (const toolchain::InstructionForm* form : byGroup[&group]) {
            text += "| `" + Cell(form->Written()) + "` | `" + Bytes(*form) + "` | " +
                    std::to_string(form->length) + " | " + form->cycles + " | " +
                    FlagsChanged(group) + " |\n";
        }
    }
    return text;
}

}  // namespace cuffware::simulator
