#pragma once
// The operation groups of the core's semantics (isa/semantics.tsv, built
// into the library): each instruction form belongs to exactly one group,
// which says what it does to registers, memory and flags.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolchain/isa/instruction_set.h"

namespace cuffware::simulator {

struct SemanticGroup {
    std::string name;      // "ADD8", "JR_CC"
    std::string covers;    // the forms, as the table writes them: "ADD A,*; ADD [HL],*"
    std::string result;    // what it does
    std::string flags[4];  // Z C V N: "-" for unchanged
    std::string modes;     // the effect of D and U
    std::string cycles;    // the cycle rule
};

std::span<const SemanticGroup> SemanticGroups();

// The items of a group's list of forms ("ADD A,*", "ADD [HL],*").
std::vector<std::string_view> CoveredItems(const SemanticGroup& group);

// The group covering a form, or nullptr when none does.
const SemanticGroup* GroupOf(const toolchain::InstructionForm& form);

// Whether a form's mnemonic and operands ("A,[IX+dd]") match one item of a
// group's list ("ADD A,*", "LD [HL],{A|B}", "NOP"): "*" is any run of
// characters, "{x|y}" one of the alternatives, anything else itself; an
// item without operands matches only forms without them.
bool ItemMatches(std::string_view item, std::string_view mnemonic, std::string_view operands);

}  // namespace cuffware::simulator
