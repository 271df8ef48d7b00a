#include "toolchain/object/s_records.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/text_file.h"
#include "toolchain/object/srecord_reader.h"

namespace cuffware::toolchain {

namespace {

// The count byte holds at most 255: the address's 2 bytes, the checksum and
// 252 bytes of text.
constexpr size_t kMaxHeaderBytes = 252;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The record's bytes after the type: count, address, data, checksum.
std::optional<std::string> RecordBytes(std::string_view hex) {
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// The length of a record's line without its line end.
size_t RecordLength(int addressBytes, long long address, size_t dataBytes) {
    return 2 + 2 + HexLength(address, addressBytes * 2) + 2 * dataBytes + 2;
}

// The sum of the bytes, eight at a time: each word's bytes added in pairs,
// then the pairs' sums together by one multiplication.
unsigned SumOfBytes(std::string_view bytes) {
    constexpr uint64_t kLowBytes = 0x00FF00FF00FF00FF, kPairs = 0x0001000100010001;
    unsigned sum = 0;
    size_t i = 0;
    for (uint64_t word; bytes.size() - i >= 8; i += 8) {
        std::memcpy(&word, bytes.data() + i, 8);
        uint64_t pairs = (word & kLowBytes) + ((word >> 8) & kLowBytes);
        sum += static_cast<unsigned>((pairs * kPairs) >> 48);
    }
    for (; i < bytes.size(); ++i)
        sum += static_cast<unsigned char>(bytes[i]);
    return sum;
}

// A record's line without its line end, written at at (RecordLength
// characters); returns its end.
char* PutSRecord(char type, int addressBytes, long long address, std::string_view data, char* at) {
    int count = addressBytes + static_cast<int>(data.size()) + 1;
    unsigned sum = static_cast<unsigned>(count);
    *at++ = 'S';
    *at++ = type;
    at = PutHex(count, 2, at);
    at = PutHex(address, addressBytes * 2, at);
    for (int shift = 0; shift < addressBytes * 8; shift += 8)
        sum += static_cast<unsigned>((address >> shift) & 0xFF);
    sum += SumOfBytes(data);
    at = PutHexOfBytes(data, at);
    return PutHex(~sum & 0xFF, 2, at);
}

// A record's place in the file: its type, address and data.
struct Record {
    char type;
    int addressBytes;
    long long address;
    std::string_view data;
};

}  // namespace

std::string SRecord(char type, int addressBytes, long long address, std::string_view data) {
    std::string record(RecordLength(addressBytes, address, data.size()), '\0');
    PutSRecord(type, addressBytes, address, data, record.data());
    return record;
}

std::string FormatSRecords(const ObjectModule& located, std::string_view header,
                           size_t bytesPerRecord) {
    std::vector<const Section*> byAddress;
    for (const Section& section : located.sections)
        byAddress.push_back(&section);
    std::stable_sort(byAddress.begin(), byAddress.end(), [](const Section* a, const Section* b) {
        return a->address.value_or(0) < b->address.value_or(0);
    });
    long long start = located.sections.empty() ? 0 : located.sections[0].address.value_or(0);
    // Each record goes straight into the file's text, sized once: the
    // records are gone through twice, to measure them and to write them.
    auto eachRecord = [&](auto&& use) {
        use(Record{'0', 2, 0, header.substr(0, kMaxHeaderBytes)});
        for (const Section* section : byAddress) {
            std::string_view bytes = section->bytes;
            for (size_t offset = 0; offset < bytes.size(); offset += bytesPerRecord)
                use(Record{'2', 3, section->address.value_or(0) + static_cast<long long>(offset),
                           bytes.substr(offset, bytesPerRecord)});
        }
        use(Record{'8', 3, start, {}});
    };
    size_t size = 0;
    eachRecord([&size](const Record& r) {
        size += RecordLength(r.addressBytes, r.address, r.data.size()) + 2;
    });
    std::string text(size, '\0');
    char* at = text.data();
    eachRecord([&at](const Record& r) {
        at = PutSRecord(r.type, r.addressBytes, r.address, r.data, at);
        *at++ = '\r';
        *at++ = '\n';
    });
    return text;
}

bool LooksLikeSRecords(std::string_view content) {
    return content.size() >= 2 && content[0] == 'S' && content[1] >= '0' && content[1] <= '9';
}

Result<std::vector<LoadedBytes>> ReadSRecords(std::string_view text, const std::string& fileName) {
    std::vector<LoadedBytes> runs;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        if (line.empty())
            continue;
        auto fail = [&](const std::string& message) {
            return Diagnostic{fileName, number, message};
        };
        if (line.size() < 4 || line[0] != 'S' || line[1] < '0' || line[1] > '9')
            return fail("not an S-record");
        std::optional<std::string> bytes = RecordBytes(line.substr(2));
        if (!bytes || bytes->empty() ||
            static_cast<unsigned char>((*bytes)[0]) + 1u != bytes->size())
            return fail("bad S-record: its count does not match its length");
        unsigned sum = 0;
        for (char byte : *bytes)
            sum += static_cast<unsigned char>(byte);
        if ((sum & 0xFF) != 0xFF)
            return fail("bad S-record checksum");
        int addressBytes = line[1] == '1' ? 2 : line[1] == '2' ? 3 : line[1] == '3' ? 4 : 0;
        if (addressBytes == 0)
            continue;  // header, count and start records hold no data
        if (bytes->size() < static_cast<size_t>(addressBytes) + 2)
            return fail("bad S-record: too short");
        long long address = 0;
        for (int i = 1; i <= addressBytes; ++i)
            address = address * 256 + static_cast<unsigned char>((*bytes)[static_cast<size_t>(i)]);
        std::string data = bytes->substr(static_cast<size_t>(addressBytes) + 1,
                                         bytes->size() - static_cast<size_t>(addressBytes) - 2);
        if (!runs.empty() &&
            runs.back().address + static_cast<long long>(runs.back().bytes.size()) == address)
            runs.back().bytes += data;
        else
            runs.push_back({address, data});
    }
    // Records cut short or that contradict themselves are refused as the
    // packaging refuses them.
    if (Status addresses = CheckSRecordAddresses(text, fileName); !addresses)
        return addresses.error();
    if (Status ended = CheckSRecordsEnd(text, fileName); !ended)
        return ended.error();
    return runs;
}

}  // namespace cuffware::toolchain
