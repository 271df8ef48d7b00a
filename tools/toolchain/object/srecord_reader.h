#pragma once
// The data bytes of a Motorola S-record text as the packaging takes them:
// only S2 records count, their data bytes in file order, load addresses and
// checksums ignored.
//
// A line is an S2 record when it starts with "S2" or "s2"; every other line
// is skipped. Lines end at LF, CR or CR LF. The byte count (characters 3-4)
// is trusted: count - 4 data bytes are read from character 11 on, and a byte
// past the end of the line is 0. A two-digit hexadecimal field ends at the
// first character that is not a hexadecimal digit; its value is that of the
// digits before it (0 when there are none).

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/result.h"

namespace cuffware {

// Appends the data bytes of every S2 record of text to out.
void AppendS2DataBytes(std::string_view text, std::string& out);

// The data bytes of every S2 record of text.
std::string S2DataBytes(std::string_view text);

// Refuses S-records that contradict themselves, naming path, the line and
// the address: two data records (S1, S2, S3) writing the same address, even
// with the same value (the packaging takes the bytes in file order, so a
// repeated byte would be packaged twice), an S3 record above the 24 bits of
// the processor's addresses, an S2 record running past 0xFFFFFF. Records of
// no data bytes write nothing.
Status CheckSRecordAddresses(std::string_view text, const std::string& path);

// Refuses S-records whose last record is no end record (S7, S8 or S9):
// a file cut short, or left empty by a power cut while it was written,
// names path and says so.
Status CheckSRecordsEnd(std::string_view text, const std::string& path);

// The most an S-record file may hold: a full 32,768-byte image takes under
// 100 KB of S2 records; the rest is room for long or repeated records.
inline constexpr size_t kMaxSRecordFileBytes = 16 << 20;

// The data bytes of one S-record file and the path they were read from.
struct SRecordData {
    std::string path;
    std::string bytes;
};

// Reads the file at path and takes its S2 data bytes; a file that cannot be
// read fails with the file system's diagnostic, one whose records
// contradict themselves with CheckSRecordAddresses's, one cut short with
// CheckSRecordsEnd's.
Result<SRecordData> ReadSRecordData(FileSystem& files, const std::string& path);

}  // namespace cuffware
