#include "package/srecord_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "package/s2_records.h"
#include "support/temp_dir.h"

namespace cuffware {
namespace {

using testing::ByteString;
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
