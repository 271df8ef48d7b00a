#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "tool_runner.h"
#include "toolchain/disassembler/disassembler.h"
#include "toolchain/disassembler/disassembly_writer.h"

namespace cuffware::toolchain {
namespace {

using cuffware::testing::TempDir;
using testing::RunTool;
using testing::ToolRun;

constexpr size_t kBlock = 64 << 10;  // the block the disassembly reads at a time

// NOPs, with instructions planted across the first two block boundaries,
// then random bytes up to a few past the third.
std::string ImageAcrossBlocks() {
    std::string image(2 * kBlock, '\xFF');
    image.replace(kBlock - 1, 3, "\xF2\xFF\xB8");  // CARL: one byte before, two after
    image.replace(2 * kBlock - 1, 2, "\xCE\xD9");  // DIV: one byte each side
    std::mt19937 random(88);
    while (image.size() < 3 * kBlock + 3)
        image += static_cast<char>(random() & 0xFF);
    return image;
}

std::span<const unsigned char> Bytes(const std::string& image) {
    return {reinterpret_cast<const unsigned char*>(image.data()), image.size()};
}

// Each line's address and bytes from the source form's comments, checked to
// follow on from the line before, joined: the bytes the lines cover.
std::string CoveredBytes(const std::string& source, long long base) {
    std::istringstream lines(source);
    std::string line, bytes;
    long long next = base;
    while (std::getline(lines, line)) {
        size_t comment = line.rfind("; ");
        if (comment == std::string::npos || line.starts_with("; "))
            continue;
        std::istringstream fields(line.substr(comment + 2));
        std::string address, byte;
        fields >> address;
        EXPECT_EQ(std::stoll(address, nullptr, 16), next) << line;
        while (fields >> byte) {
            bytes += static_cast<char>(std::stoi(byte, nullptr, 16));
            ++next;
        }
    }
    return bytes;
}

// Compares long texts, showing where they part (gtest's own diff of texts
// this long takes too long).
void ExpectSame(const std::string& actual, const std::string& expected) {
    size_t at =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first -
        actual.begin();
    EXPECT_TRUE(actual == expected) << "they part at " << at << ":\n"
                                    << actual.substr(at, 60) << "\ninstead of\n"
                                    << expected.substr(at, 60);
}

// An image read a block at a time lists as the whole image disassembled at
// once does: no byte lost or doubled where a block ends, whether an
// instruction straddles the boundary or not.
TEST(Dis88, ReadsAnImageInBlocksAsTheWholeImageDisassembles) {
    TempDir dir;
    std::string image = ImageAcrossBlocks();
    for (size_t size : {kBlock - 1, kBlock, kBlock + 1, kBlock + 2, 2 * kBlock, image.size()}) {
        SCOPED_TRACE(size);
        std::string part = image.substr(0, size);
        dir.Write("image.bin", part);
        ToolRun listing = RunTool(RunDis88, {"image.bin", "-b0x10000", "--listing"}, dir.path());
        ASSERT_EQ(listing.status, 0) << listing.err;
        ExpectSame(listing.out, FormatDisassembly(Disassemble(Bytes(part), 0x10000)));
        ToolRun source = RunTool(RunDis88, {"image.bin", "-b0x10000"}, dir.path());
        ExpectSame(CoveredBytes(source.out, 0x10000), part);
    }
    ToolRun listing = RunTool(RunDis88, {"image.bin", "-b0x10000", "--listing"}, dir.path());
    EXPECT_NE(listing.out.find("01FFFF  F2 FF B8     CARL "), std::string::npos);
    EXPECT_NE(listing.out.find("02FFFF  CE D9        DIV\n"), std::string::npos);
}

// A DATA section's DB lines of eight bytes run on across block boundaries,
// cut only at its labels, and a CODE section after it starts where it ends.
TEST(Dis88, WritesDataSectionsAcrossBlocksWholly) {
    std::string image = ImageAcrossBlocks();
    DisassemblyNames names;
    names.map.sections = {{"code", 0x10000, kBlock - 5, "CODE"},
                          {"table", 0x10000 + kBlock - 5, kBlock + 9, "DATA"},
                          {"more", 0x10000 + 2 * kBlock + 4, kBlock - 1, "CODE"}};
    names.map.labels = {{"Row", 0x10000 + kBlock + 2, std::nullopt}};
    std::ostringstream out;
    WriteDisassembly({{0x10000, image}}, names, DisassemblyForm::kSource, out);
    ExpectSame(CoveredBytes(out.str(), 0x10000), image);
    std::string table = out.str().substr(out.str().find("SECT    \"table\""));
    table = table.substr(0, table.find("DEFSECT"));
    size_t lines = 0;
    for (size_t at = table.find(" DB "); at != std::string::npos; at = table.find(" DB ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1 + (kBlock + 2 + 7) / 8);  // seven bytes before Row, then eight a line
    EXPECT_NE(out.str().find("Row:\n        DB "), std::string::npos);
}

}  // namespace
}  // namespace cuffware::toolchain
