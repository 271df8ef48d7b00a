// The text of objects and linked modules: every kind of line written as the
// format says and read back, and each line that does not hold refused with
// its number.

#include "toolchain/object/object_module.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace cuffware::toolchain {
namespace {

// A linked module with a line of every kind; its first section's 40 bytes
// take two BYTES lines.
ObjectModule EveryKindOfLine() {
    ObjectModule module;
    module.source = "clock.asm";
    Section code{".text", "CODE", 0x10000, std::string(40, '\x5A'), {}, 1};
    code.bytes[0] = '\x0F';
    code.relocations.push_back(
        {0x12, FieldKind::kWord, "@1", -4, ValuePart::kLow, "clock.asm:12", "LD A,#nn"});
    code.relocations.push_back(
        {0x20, FieldKind::kByte, "", 7, ValuePart::kWhole, "dir\tname.asm:3", "DB n"});
    module.sections.push_back(code);
    module.sections.push_back({".data", "DATA", std::nullopt, "\x01\xFF", {}, 4});
    module.globals = {{"Start", 0x12, 0}, {"Limit", 0x101F4, std::nullopt}};
    module.externs = {"SoundPlay"};
    module.labels = {{"Start", 0, 0x12}, {"Start.loop", 1, 1}};
    module.listedFiles = {"clock.asm", "my file.h"};
    module.listing = {{1, 12, 0, 0x10, 3, "3/2", "  LD A,#12h\t; tab kept"},
                      {0, 13, std::nullopt, 0, 0, "", "; a comment"}};
    module.origins = {{"clock.obj", 0, 1}, {"a b.obj", 1, 1}};
    return module;
}

constexpr std::string_view kEveryKindOfLine =
    "LK88 LINKED 2\r\n"
    "SOURCE clock.asm\r\n"
    "SECTION .text CODE 010000 40\r\n"
    "BYTES 0000 0F5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A\r\n"
    "BYTES 0020 5A5A5A5A5A5A5A5A\r\n"
    "RELOC 0012 WORD @1 -4 LOW clock.asm:12\tLD A,#nn\r\n"
    "RELOC 0020 BYTE - 7 WHOLE dir\tname.asm:3\tDB n\r\n"
    "SECTION .data DATA - 2 ALIGN 4\r\n"
    "BYTES 0000 01FF\r\n"
    "GLOBAL Start @0 000012\r\n"
    "GLOBAL Limit - 0101F4\r\n"
    "EXTERN SoundPlay\r\n"
    "LABEL Start @0 0012\r\n"
    "LABEL Start.loop @1 0001\r\n"
    "LISTFILE clock.asm\r\n"
    "LISTFILE my file.h\r\n"
    "LIST 1 12 @0 0010 3 3/2\t  LD A,#12h\t; tab kept\r\n"
    "LIST 0 13 - 0000 0 -\t; a comment\r\n"
    "MODULE 0 1 clock.obj\r\n"
    "MODULE 1 1 a b.obj\r\n"
    "END\r\n";

TEST(ModuleText, EveryKindOfLineIsWrittenAsTheFormatSaysAndReadBack) {
    const ObjectModule module = EveryKindOfLine();
    EXPECT_EQ(FormatModule(module, ModuleStage::kLinked), kEveryKindOfLine);

    Result<ObjectModule> read = ParseModule(kEveryKindOfLine, ModuleStage::kLinked, "t.out");
    ASSERT_TRUE(read.ok()) << read.error().Text();
    EXPECT_EQ(FormatModule(*read, ModuleStage::kLinked), kEveryKindOfLine);
    EXPECT_EQ(read->sections[0].bytes, module.sections[0].bytes);
    EXPECT_EQ(read->sections[0].relocations[1].where, "dir\tname.asm:3");
    EXPECT_EQ(read->listing[0].text, "  LD A,#12h\t; tab kept");
    EXPECT_EQ(read->origins[1].object, "a b.obj");

    // Lower-case hex digits, blanks of every kind between the words and LF
    // line ends read as well.
    Result<ObjectModule> loose = ParseModule(
        "AS88 OBJECT 2\nSECTION  .t\tCODE 00ff00 3\nBYTES\v0000 0a0B0c \f\nLABEL a @0 2\nEND\n",
        ModuleStage::kObject, "t.obj");
    ASSERT_TRUE(loose.ok()) << loose.error().Text();
    EXPECT_EQ(loose->sections[0].address, 0xFF00);
    EXPECT_EQ(loose->sections[0].bytes, "\x0A\x0B\x0C");
}

TEST(ModuleText, EachLineThatDoesNotHoldIsRefusedWithItsNumber) {
    const std::string head = "AS88 OBJECT 2\r\nSECTION .t CODE - 4\r\n";
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {"", "t.obj, line 1: not a file of this stage (expected \"AS88 OBJECT 2\")"},
        {"LK88 LINKED 2\r\nEND\r\n",
         "t.obj, line 1: not a file of this stage (expected \"AS88 OBJECT 2\")"},
        {head + "BYTES 0000 0102030\r\nEND\r\n", "t.obj, line 3: bad BYTES line"},
        {head + "BYTES 0000 01020G04\r\nEND\r\n", "t.obj, line 3: bad BYTES line"},
        {head + "BYTES 0001 01020304\r\nEND\r\n", "t.obj, line 3: bad BYTES line"},
        {head + "BYTES 0000 0102030405\r\nEND\r\n", "t.obj, line 3: bad BYTES line"},
        {head + "BYTES -000 01020304\r\nEND\r\n", "t.obj, line 3: bad BYTES line"},
        {head + "BYTES 0000 01020304 05\r\nEND\r\n", "t.obj, line 3: cannot read line"},
        {head + "BYTES 0000 0102\r\nEND\r\n", "t.obj: section holds 2 bytes, SECTION says 4"},
        {head + "BYTES 0000 01020304\r\nLABEL a @1 0\r\nEND\r\n",
         "t.obj: label a refers to a section that is not there"},
        {head + "BYTES 0000 01020304\r\nLABEL a @0 123456789\r\nEND\r\n",
         "t.obj, line 4: bad LABEL line"},
        {head + "BYTES 0000 01020304\r\nGLOBAL a @x 0\r\nEND\r\n",
         "t.obj, line 4: bad GLOBAL line"},
        {head + "RELOC 0003 WORD - 0 WHOLE t.asm:1\tDW nn\r\nBYTES 0000 01020304\r\nEND\r\n",
         "t.obj: a relocation lies outside its section"},
        {head + "RELOC 0000 WORD - 0 PART t.asm:1\tDW nn\r\nEND\r\n",
         "t.obj, line 3: bad RELOC line"},
        {head + "BYTES 0000 01020304\r\nLIST 0 1 @0 0000 4 -\r\nEND\r\n",
         "t.obj, line 4: bad LIST line"},
        {head + "BYTES 0000 01020304\r\nSECTION .u DATA - -1\r\nEND\r\n",
         "t.obj, line 4: bad SECTION line"},
        {head + "BYTES 0000 01020304\r\n", "t.obj: truncated (no END line)"},
        {head + "BYTES 0000 01020304\r\n   \r\nEND\r\n", "t.obj, line 4: cannot read line"},
    };
    for (const Case& c : cases) {
        Result<ObjectModule> read = ParseModule(c.text, ModuleStage::kObject, "t.obj");
        ASSERT_FALSE(read.ok()) << c.text;
        EXPECT_EQ(read.error().Text(), c.message) << c.text;
    }
}

// A BYTES line is read a pair of digits at a time through a table of every
// pair of characters: every byte value in both cases of digits must read,
// and every pair of characters must read (or be refused) as its two
// characters one by one say.
TEST(ModuleText, EveryPairOfCharactersReadsAsItsTwoDigitsSay) {
    std::string all(256, '\0'), hex, lower;
    for (int value = 0; value < 256; ++value) {
        all[static_cast<size_t>(value)] = static_cast<char>(value);
        hex += Hex(value, 2);
    }
    for (char c : hex)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& digits : {hex, lower}) {
        Result<ObjectModule> read =
            ParseModule("AS88 OBJECT 2\nSECTION .t CODE - 256\nBYTES 0000 " + digits + "\nEND\n",
                        ModuleStage::kObject, "t.obj");
        ASSERT_TRUE(read.ok()) << read.error().Text();
        EXPECT_EQ(read->sections[0].bytes, all);
    }
    // The pair between two good ones, so a blank in it makes more words.
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            if (first == '\n' || first == '\r' || second == '\n' || second == '\r')
                continue;  // line ends are the lines' matter
            std::string pair = {static_cast<char>(first), static_cast<char>(second)};
            Result<ObjectModule> read = ParseModule(
                "AS88 OBJECT 2\nSECTION .t CODE - 3\nBYTES 0000 0A" + pair + "0B\nEND\n",
                ModuleStage::kObject, "t.obj");
            if (std::isxdigit(first) && std::isxdigit(second)) {
                ASSERT_TRUE(read.ok()) << read.error().Text();
                EXPECT_EQ(static_cast<unsigned char>(read->sections[0].bytes[1]),
                          std::stoi(pair, nullptr, 16))
                    << pair;
                continue;
            }
            bool blank = kBlanks.find(static_cast<char>(first)) != std::string_view::npos ||
                         kBlanks.find(static_cast<char>(second)) != std::string_view::npos;
            ASSERT_FALSE(read.ok()) << first << " " << second;
            EXPECT_EQ(read.error().Text(),
                      blank ? "t.obj, line 3: cannot read line" : "t.obj, line 3: bad BYTES line")
                << first << " " << second;
        }
    }
}

// A reader that keeps only the labels naming a section not read yet reads
// and refuses every text as one that keeps them all: a label may come
// before its section, and the first label naming no section is the one
// named.
TEST(ModuleText, KeepingOnlyUncheckedLabelsRefusesAsKeepingAll) {
    const std::string head = "AS88 OBJECT 2\r\nSECTION .t CODE - 1\r\nBYTES 0000 01\r\n";
    const std::string texts[] = {
        head + "LABEL a @0 0\r\nLABEL b @1 0\r\nSECTION .u CODE - 0\r\nEND\r\n",
        head + "LABEL a @0 0\r\nLABEL b @2 0\r\nLABEL c @1 0\r\nLABEL d @3 0\r\nEND\r\n",
        head + "LABEL a @1 0\r\nSECTION .u CODE - 0\r\nLABEL b @2 0\r\nEND\r\n",
        head + "LABEL a @x 0\r\nEND\r\n",
    };
    for (const std::string& text : texts) {
        Result<ObjectModule> all = ParseModule(text, ModuleStage::kObject, "t.obj");
        Result<ObjectModule> some =
            ParseModule(text, ModuleStage::kObject, "t.obj", LabelsKept::kOnlyUnchecked);
        ASSERT_EQ(all.ok(), some.ok()) << text;
        if (!all.ok())
            EXPECT_EQ(all.error().Text(), some.error().Text()) << text;
        else
            EXPECT_EQ(some->labels.size(), 1u) << text;
    }
}

// Label lines are read without a list of words where one space parts
// them; any other spacing reads (or is refused) as the words say.
TEST(ModuleText, LabelLinesReadAsTheirWordsSay) {
    const std::string head = "AS88 OBJECT 2\nSECTION .t CODE - 2\nBYTES 0000 0102\n";
    for (std::string line : {"LABEL a @0 1", "LABEL  a @0 1", "LABEL a\v@0 1 ", "LABEL a @0\t1",
                             "  LABEL a  @0 1", "LABEL a @0 1\f"}) {
        Result<ObjectModule> read = ParseModule(head + line + "\nEND\n", ModuleStage::kObject, "t");
        ASSERT_TRUE(read.ok()) << line << ": " << read.error().Text();
        ASSERT_EQ(read->labels.size(), 1u) << line;
        EXPECT_EQ(read->labels[0].name, "a");
        EXPECT_EQ(read->labels[0].offset, 1);
    }
    struct Case {
        std::string line;
        std::string message;
    } refused[] = {
        {"LABEL", "t, line 4: cannot read line"},
        {"LABEL ", "t, line 4: cannot read line"},
        {"LABEL a", "t, line 4: cannot read line"},
        {"LABEL a @0", "t, line 4: cannot read line"},
        {"LABEL a @0 ", "t, line 4: cannot read line"},
        {"LABEL a  1", "t, line 4: cannot read line"},
        {"LABEL a b @0 1", "t, line 4: cannot read line"},
        {"LABEL a @0 1 2", "t, line 4: cannot read line"},
        {"LABEL a\v b @0 1", "t, line 4: cannot read line"},
        {"LABEL a 0 1", "t, line 4: bad LABEL line"},
        {"LABEL a @0 x", "t, line 4: bad LABEL line"},
        {"LABEL a @0 123456789", "t, line 4: bad LABEL line"},
    };
    for (const Case& c : refused) {
        Result<ObjectModule> read =
            ParseModule(head + c.line + "\nEND\n", ModuleStage::kObject, "t");
        ASSERT_FALSE(read.ok()) << c.line;
        EXPECT_EQ(read.error().Text(), c.message) << c.line;
    }
}

// What the reader makes of an object text: the module written back, or
// the message it refuses the text with.
std::string ReadBack(const std::string& text) {
    Result<ObjectModule> read = ParseModule(text, ModuleStage::kObject, "t");
    return read.ok() ? FormatModule(*read, ModuleStage::kObject) : read.error().Text();
}

// BYTES and LABEL lines with one space between their words are read
// straight from the text, their end found where their last word ends;
// with two spaces the same words go through the general reader. Each such
// line, with any character put at any place of it and with each kind of
// line end or none, must read (or be refused) by both alike.
TEST(ModuleText, ByteAndLabelLinesReadStraightAsTheirWordsSay) {
    const std::string head = "AS88 OBJECT 2\nSECTION .t CODE - 40\nBYTES 0000 0102\n";
    const std::string hex = "000102030405060708090A0B0C0D0E0F101112131415161718191a1b1c1d1e1f";
    const std::string lines[] = {
        "BYTES 0002 " + hex,                   // a whole line's 32 bytes
        "BYTES 0002 " + hex + "20212223AB",    // all 38 bytes the section has left
        "BYTES 0002 " + hex + "2021222324",    // 37 bytes, one short
        "BYTES 0002 " + hex + "202122232425",  // 39 bytes, one too many
        "BYTES 2 abcdef",
        "BYTES 00000002 0304",
        "BYTES 000000002 0304",
        "LABEL a @0 0001",
        "LABEL Start.loop @1 12345678",
        "LABEL a @000000000000000000 1",
        "LABEL a @0000000000000000000 1",
        "LABEL a @-0 1",
    };
    const std::string endings[] = {"\r\n", "\n", "\r\r\n", "", "\r"};
    const std::string put = std::string("0aG@- \t\v\f\r\n") + '\0' + '\xFF';
    auto spread = [](const std::string& line) {
        std::string wide;
        for (char c : line)
            wide += c == ' ' ? std::string("  ") : std::string(1, c);
        return wide;
    };
    for (const std::string& line : lines) {
        std::vector<std::string> variants = {line};
        for (size_t place = 0; place < line.size(); ++place) {
            for (char c : put) {
                variants.push_back(line);
                variants.back()[place] = c;
            }
        }
        for (const std::string& variant : variants) {
            for (const std::string& ending : endings) {
                std::string tail = ending.empty() || ending == "\r" ? ending : ending + "END\n";
                EXPECT_EQ(ReadBack(head + variant + tail), ReadBack(head + spread(variant) + tail))
                    << variant << " ending " << ending.size();
            }
        }
    }
}

TEST(ModuleText, ASectionBaseIsAnAtAndANumber) {
    EXPECT_EQ(SectionOfBase("@0"), 0u);
    EXPECT_EQ(SectionOfBase("@12"), 12u);
    EXPECT_EQ(SectionOfBase("@000000000000000000000007"), 7u);
    EXPECT_EQ(SectionOfBase("@-0"), 0u);
    EXPECT_EQ(SectionOfBase("@-1"), std::nullopt);
    EXPECT_EQ(SectionOfBase("@"), std::nullopt);
    EXPECT_EQ(SectionOfBase("@1x"), std::nullopt);
    EXPECT_EQ(SectionOfBase("12"), std::nullopt);
    EXPECT_EQ(SectionOfBase("@99999999999999999999"), std::nullopt);
    EXPECT_EQ(SectionBase(12), "@12");
}

// Words are found eight characters at a time where no blank can be among
// them: a blank at each place of such a run, bytes above 0x7F and control
// characters that are no blanks must still split (or not) as one by one.
TEST(ModuleText, WordsSplitAtEveryBlankAndNowhereElse) {
    const std::string word = "0123456789ABCDEF\x01\x7F\x80\xFFxyz";
    for (size_t at = 0; at <= word.size(); ++at) {
        for (char blank : kBlanks) {
            std::string line = word;
            line.insert(at, 1, blank);
            std::vector<std::string_view> expected;
            if (at > 0)
                expected.push_back(std::string_view(line).substr(0, at));
            if (at < word.size())
                expected.push_back(std::string_view(line).substr(at + 1));
            EXPECT_EQ(WordsIn(line), expected) << at << " " << int(blank);
        }
    }
    EXPECT_EQ(WordsIn("  \t\r\n"), std::vector<std::string_view>{});
    EXPECT_EQ(WordsIn("a b\tc", kSpaceOrTab), (std::vector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(WordsIn("a\rb", kSpaceOrTab), std::vector<std::string_view>{"a\rb"});
    EXPECT_EQ(WordsIn("x1y2z", "12"), (std::vector<std::string_view>{"x", "y", "z"}));
}

}  // namespace
}  // namespace cuffware::toolchain
