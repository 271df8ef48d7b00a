#pragma once
// Motorola S-records of one located section: an S0 header record, S2 data
// records at 24-bit load addresses, and an S8 record with the start address.

#include <string>
#include <string_view>

#include "toolchain/object_module.h"

namespace cuffware::toolchain {

// One record line without its line end: "S" type, byte count, address,
// data, and the checksum (ones' complement of the low byte of the sum of
// count, address and data bytes). addressBytes is 2 (S0) or 3 (S2, S8).
std::string SRecord(char type, int addressBytes, long long address, std::string_view data);

// The whole file, CR LF lines; header is the S0 record's text.
std::string FormatSRecords(const ObjectModule& module, std::string_view header,
                           size_t bytesPerRecord);

}  // namespace cuffware::toolchain
