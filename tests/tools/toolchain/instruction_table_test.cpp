// Every form of the project's instruction table, written as a programmer
// writes it, against the bytes the table gives; and the whole set back
// through the disassembler. The table is read here on its own, so a fault
// in the library's reading of it shows too.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "assembled_text.h"
#include "operand_fields.h"
#include "tool_runner.h"
#include "toolchain/disassembler/disassembler.h"
#include "toolchain/linker/linker.h"
#include "toolchain/locator/locator.h"

namespace cuffware::toolchain {
namespace {

using testing::AssembledText;
using testing::AssembleLines;

struct Row {
    std::string mnemonic;
    std::vector<std::string> operands;
    std::vector<std::string> tokens;  // the bytes template
    int length = 0;
};

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

std::vector<Row> ReadTableFile() {
    std::ifstream file(testing::SourceDir() + "/tools/toolchain/isa/instructions.tsv");
    std::vector<Row> rows;
    std::string line;
    std::getline(file, line);  // the header
    while (std::getline(file, line)) {
        std::vector<std::string> columns = SplitAt(line, '\t');
        if (columns.size() < 4)
            continue;
        Row row{columns[0], SplitAt(columns[1], ','), SplitAt(columns[2], ' '),
                std::stoi(columns[3])};
        rows.push_back(row);
    }
    return rows;
}

struct Sample {
    std::string line;   // "  LD A,[IX-3]"
    std::string bytes;  // what the table says it assembles to
};

// A value for an operand of a kind, from its field's width and sign: an
// unsigned field with its top bit set, a displacement or short branch a
// little backwards, a long branch forwards across a page.
long long SampleValue(const OperandKindRow& kind) {
    if (kind.IsSigned())
        return kind.Bytes() == 1 ? -3 : 0x123;
    return kind.Bytes() == 1 ? 0xA5 : 0xBEEF;
}

// A row written with operand values of its own, at address.
Sample SampleOf(const Row& row, long long address) {
    long long last = address + row.length - 1;  // branches count from here
    std::vector<testing::OperandValue> operands;
    std::string written = "  " + row.mnemonic;
    for (size_t i = 0; i < row.operands.size(); ++i) {
        const OperandKindRow* kind = OperandKindOf(row.operands[i]);
        std::string text = row.operands[i];
        if (kind) {
            long long value = SampleValue(*kind);
            operands.push_back({kind, value});
            text = kind->Written(kind->IsBranch() ? BranchTarget(last, value) : value);
        }
        written += (i == 0 ? " " : ",") + text;
    }
    std::string bytes;
    for (const std::string& token : row.tokens) {
        std::optional<uint8_t> field = testing::FieldByte(operands, token);
        bytes += static_cast<char>(field ? *field : std::stoi(token, nullptr, 16));
    }
    return {written, bytes};
}

std::string HexOf(const std::string& bytes) {
    std::string text;
    for (char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(byte));
        text += hex;
    }
    return text;
}

TEST(InstructionTable, EveryFormAssemblesToTheTablesBytes) {
    std::vector<Row> rows = ReadTableFile();
    ASSERT_EQ(rows.size(), 608u);
    for (const Row& row : rows) {
        ASSERT_EQ(row.tokens.size(), static_cast<size_t>(row.length)) << row.mnemonic;
        Sample sample = SampleOf(row, 0x10000);
        AssembledText assembled = AssembleLines(sample.line + "\n");
        ASSERT_TRUE(assembled.ok) << sample.line << ": " << assembled.message;
        EXPECT_EQ(HexOf(assembled.bytes), HexOf(sample.bytes)) << sample.line;
    }
}

// Assembled, linked, located and disassembled, a program of every form
// gives back the same instructions: assembled again, the same bytes.
TEST(InstructionTable, AProgramOfEveryFormSurvivesTheRoundTrip) {
    constexpr long long kStart = 0x28000;
    std::string program, expected;
    for (const Row& row : ReadTableFile()) {
        Sample sample = SampleOf(row, kStart + static_cast<long long>(expected.size()));
        program += sample.line + "\n";
        expected += sample.bytes;
    }
    AssembledText assembled = AssembleLines(program, kStart);
    ASSERT_TRUE(assembled.ok) << assembled.message;
    ASSERT_EQ(HexOf(assembled.bytes), HexOf(expected));

    std::string source =
        "  DEFSECT \".text\", CODE AT " + std::to_string(kStart) + "\n  SECT \".text\"\n" + program;
    Result<Assembly> module =
        Assemble("t.asm", [&](const std::string&) -> Result<std::string> { return source; });
    ASSERT_TRUE(module.ok());
    Result<ObjectModule> linked = Link({{"t.obj", module->module}});
    ASSERT_TRUE(linked.ok());
    Result<ObjectModule> located = Locate(*linked, "t.out");
    ASSERT_TRUE(located.ok());
    const std::string& image = located->sections[0].bytes;
    std::vector<DisassembledLine> lines =
        Disassemble({reinterpret_cast<const unsigned char*>(image.data()), image.size()}, kStart);
    ASSERT_EQ(lines.size(), 608u);
    std::string again;
    for (const DisassembledLine& line : lines) {
        EXPECT_FALSE(line.text.starts_with("DB")) << line.text;
        again += "  " + line.text + "\n";
    }
    AssembledText reassembled = AssembleLines(again, kStart);
    ASSERT_TRUE(reassembled.ok) << reassembled.message;
    EXPECT_EQ(HexOf(reassembled.bytes), HexOf(image));
}

// Codes no instruction starts with, and an instruction the image cuts
// short, come out as data.
TEST(Disassembler, ShowsUndefinedCodesAndCutInstructionsAsData) {
    const unsigned char bytes[] = {0x7C, 0xCE, 0x64, 0xFF, 0xC4, 0x34};
    std::vector<DisassembledLine> lines = Disassemble(bytes, 0x10000);
    std::vector<std::string> texts;
    for (const DisassembledLine& line : lines)
        texts.push_back(line.text);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"DB 0x7C", "DB 0xCE,0x64", "NOP", "DB 0xC4", "DB 0x34"}));
    EXPECT_EQ(FormatDisassembly({lines[2]}), "010003  FF           NOP\n");
}

}  // namespace
}  // namespace cuffware::toolchain
