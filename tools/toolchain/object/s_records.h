#pragma once
// Motorola S-records of located sections: an S0 header record, S2 data
// records at 24-bit load addresses (the sections in address order), and an
// S8 record with the start address, that of the first section.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

// One record line without its line end: "S" type, byte count, address,
// data, and the checksum (ones' complement of the low byte of the sum of
// count, address and data bytes). addressBytes is 2 (S0) or 3 (S2, S8).
std::string SRecord(char type, int addressBytes, long long address, std::string_view data);

// The whole file, CR LF lines; header is the S0 record's text, cut to its
// first 252 bytes so the record's count fits its one byte.
std::string FormatSRecords(const ObjectModule& located, std::string_view header,
                           size_t bytesPerRecord);

// A run of bytes at consecutive addresses.
struct LoadedBytes {
    long long address = 0;
    std::string bytes;
};

// Whether a file's content starts as S-records do ("S0", "S2"...), not as
// a binary image.
bool LooksLikeSRecords(std::string_view content);

// The data of S1, S2 and S3 records, adjacent records joined; fileName names
// the file in diagnostics. A record that is not hex, whose count or
// checksum does not hold, fails with its line.
Result<std::vector<LoadedBytes>> ReadSRecords(std::string_view text, const std::string& fileName);

}  // namespace cuffware::toolchain
