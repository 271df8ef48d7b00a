// The generated instruction-set document: every form once, under its group.
#include <gtest/gtest.h>

#include "toolchain/isa/instruction_set.h"
#include "toolchain/simulator/instruction_set_document.h"
#include "toolchain/simulator/semantic_groups.h"

namespace cuffware::simulator {
namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(SemanticGroups, EveryFormHasExactlyOneGroup) {
    EXPECT_EQ(SemanticGroups().size(), 57u);
    for (const toolchain::InstructionForm& form : toolchain::InstructionForms()) {
        const SemanticGroup* group = GroupOf(form);
        ASSERT_NE(group, nullptr) << form.Written();
        std::string operands = form.Written().substr(form.mnemonic.size());
        if (!operands.empty())
            operands.erase(0, 1);
        int matching = 0;
        for (const SemanticGroup& other : SemanticGroups()) {
            bool matched = false;
            for (std::string_view item : CoveredItems(other))
                matched = matched || ItemMatches(item, form.mnemonic, operands);
            matching += matched;
        }
        EXPECT_EQ(matching, 1) << form.Written();
    }
}

TEST(InstructionSetDocument, ListsEveryFormUnderItsGroup) {
    const std::string document = InstructionSetDocument();
    EXPECT_EQ(Count(document, "\n## "), 57u);
    EXPECT_EQ(Count(document, "\n| `"), 608u);
    EXPECT_NE(document.find("| `ADD A,B` | `01` | 1 | 2 | Z C V N |"), std::string::npos);
    EXPECT_NE(document.find("| `CARS C,rr` | `E0 rr` | 2 | 5:2 | – |"), std::string::npos);
    EXPECT_NE(document.find("| `LD [BR:ll],#nn` | `DD ll nn` | 3 | 4 | – |"), std::string::npos);
}

}  // namespace
}  // namespace cuffware::simulator
