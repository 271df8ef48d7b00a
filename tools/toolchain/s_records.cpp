#include "toolchain/s_records.h"

#include "project/text_file.h"

namespace cuffware::toolchain {

std::string SRecord(char type, int addressBytes, long long address, std::string_view data) {
    int count = addressBytes + static_cast<int>(data.size()) + 1;
    unsigned sum = static_cast<unsigned>(count);
    std::string record = std::string("S") + type + Hex(count, 2) + Hex(address, addressBytes * 2);
    for (int shift = 0; shift < addressBytes * 8; shift += 8)
        sum += static_cast<unsigned>((address >> shift) & 0xFF);
    for (char byte : data) {
        sum += static_cast<unsigned char>(byte);
        record += Hex(static_cast<unsigned char>(byte), 2);
    }
    return record + Hex(~sum & 0xFF, 2);
}

std::string FormatSRecords(const ObjectModule& module, std::string_view header,
                           size_t bytesPerRecord) {
    TextFile file;
    file.Line(SRecord('0', 2, 0, header));
    std::string_view bytes = module.bytes;
    for (size_t offset = 0; offset < bytes.size(); offset += bytesPerRecord) {
        file.Line(SRecord('2', 3, module.address + static_cast<long long>(offset),
                          bytes.substr(offset, bytesPerRecord)));
    }
    file.Line(SRecord('8', 3, module.address, {}));
    return file.Text();
}

}  // namespace cuffware::toolchain
