#include "toolchain/object/srecord_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "package/s2_records.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::ByteString;
using testing::Counting;
using testing::S2Record;

TEST(S2DataBytes, TakesOnlyS2RecordsInFileOrder) {
    const std::string text =
        "S00600004844521B\r\n"
        "S1050000AABB95\r\n" +
        S2Record(0x8010, ByteString({1, 2})) + "\r\n" +  // blank line
        "S3070000000011229A\r\n"
        "not a record\r\n"
        "s2060080000304" +  // lower case; a gap back to 0x800000
        "70\r\n" +
        S2Record(0x8010, ByteString({5})) +  // overlaps the first
        "S5030001FB\r\nS9030000FC\r\nS804000000FB";
    EXPECT_EQ(S2DataBytes(text), ByteString({1, 2, 3, 4, 5}));
}

TEST(S2DataBytes, TrustsTheCountAndCutsFieldsShort) {
    struct Case {
        const char* text;
        std::string bytes;
    } cases[] = {
        {"S2070000001122\r\n", ByteString({0x11, 0x22, 0})},  // the checksum is missing
        {"S2050000001122334455\n", ByteString({0x11})},       // count shorter than the line
        {"S2080000001", ByteString({1, 0, 0, 0})},            // one digit, then the end
        {"S20600000012G4FF", ByteString({0x12, 0})},          // "G" ends the field: no digits
        {"S2060000001A2G", ByteString({0x1A, 2})},            // one digit, then "G"
        {"S2040000001122", ""},                               // count 4: no data
        {"S2", ""},
        {"S2G5000000AA", ""},  // count field "G5" reads as 0
        {"S205000000AA\rS205000000BB\r\rS205000000CC", ByteString({0xAA, 0xBB, 0xCC})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(S2DataBytes(c.text), c.bytes) << c.text;
}

// Records that contradict themselves are refused with the line and the
// address; records that only touch, or that write nothing, pass.
TEST(CheckSRecordAddresses, RefusesTwoWritesOfAnAddressAndAddressesPast24Bits) {
    auto refusal = [](const std::string& text) {
        Status checked = CheckSRecordAddresses(text, "STATE0.SRE");
        return checked.ok() ? std::string("ok") : checked.error().Text();
    };
    const std::string a = S2Record(0x12340, ByteString({1, 2, 3, 4}));
    EXPECT_EQ(refusal("S0030000FC\r\n" + a + S2Record(0x12344, ByteString({5})) +
                      S2Record(0x12330, Counting(16)) + "S2040000FFFC\r\nS804000000FB\r\n"),
              "ok");
    EXPECT_EQ(refusal(a + S2Record(0x12343, ByteString({4}))),
              "STATE0.SRE, line 2: the record writes address 0x012343, which the record on line "
              "1 writes already");
    // The same value again is a second write all the same.
    EXPECT_EQ(refusal(a + "S00600004844521B\r\n" + S2Record(0x12340, ByteString({1}))),
              "STATE0.SRE, line 3: the record writes address 0x012340, which the record on line "
              "1 writes already");
    // Found whichever comes first in the file; a record inside a longer one.
    EXPECT_EQ(refusal(S2Record(0x12342, ByteString({9})) + S2Record(0x12330, Counting(32))),
              "STATE0.SRE, line 2: the record writes address 0x012342, which the record on line "
              "1 writes already");
    EXPECT_EQ(refusal("S1050000AABB95\n" + S2Record(0x1, ByteString({7}))),
              "STATE0.SRE, line 2: the record writes address 0x000001, which the record on line "
              "1 writes already");
    EXPECT_EQ(refusal(a + "S30901000000112233448D\r\n"),
              "STATE0.SRE, line 2: the S3 record at 0x01000000 lies above the 24 bits of the "
              "processor's addresses");
    EXPECT_EQ(refusal("S3070000000011229A\r\n"), "ok");
    EXPECT_EQ(refusal(S2Record(0xFFFFFE, ByteString({1, 2, 3}))),
              "STATE0.SRE, line 1: the S2 record at 0xFFFFFE runs past 0xFFFFFF");
    EXPECT_EQ(refusal(S2Record(0xFFFFFE, ByteString({1, 2}))), "ok");
}

TEST(ReadSRecordData, RefusesWhatContradictsItself) {
    testing::TempDir dir;
    dir.Write("STATE0.SRE", S2Record(0x100, ByteString({1, 2})) + S2Record(0x101, ByteString({2})));
    Result<SRecordData> read = ReadSRecordData(DiskFileSystem(), dir / "STATE0.SRE");
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().line, 2);
}

// GNU objcopy gives S2 records above 64 KB; the bytes must come back exactly.
TEST(S2DataBytes, ReadsWhatObjcopyWrites) {
    if (std::system("objcopy --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "objcopy is not on PATH";
    testing::TempDir dir;
    std::mt19937 random(740);
    for (size_t size : {1, 17, 5000}) {
        std::string bytes(size, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random());
        dir.Write("in.bin", bytes);
        const std::string command = "objcopy -I binary -O srec --change-addresses 0x10000 " +
                                    (dir / "in.bin") + " " + (dir / "out.sre");
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::string text = dir.Read("out.sre");
        ASSERT_NE(text.find("\nS2"), std::string::npos);
        EXPECT_EQ(S2DataBytes(text), bytes) << size;
    }
}

}  // namespace
}  // namespace cuffware
