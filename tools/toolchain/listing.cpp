#include "toolchain/listing.h"

#include <algorithm>
#include <cstdio>

#include "toolchain/object_module.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kBytesPerRow = 4;
constexpr size_t kMostBytesShown = 64;  // a large DS is not spelt out

std::string Row(std::optional<int> line, std::optional<long long> address, std::string_view bytes,
                std::string_view text) {
    std::string number = line ? std::to_string(*line) : "";
    std::string where = address ? Hex(*address, 6) : "";
    char head[40];
    std::snprintf(head, sizeof head, "%6s  %6s  ", number.c_str(), where.c_str());
    std::string row = head;
    for (char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(byte));
        row += hex;
    }
    row.resize(16 + kBytesPerRow * 3 + 1, ' ');
    return row + std::string(text);
}

}  // namespace

void Listing::Add(const std::string& file, int line, std::optional<long long> address,
                  std::string_view bytes, std::string_view text) {
    if (lastFile_ != file) {
        file_.Line("; FILE " + file);
        lastFile_ = file;
    }
    file_.Line(Row(line, address, bytes.substr(0, kBytesPerRow), text));
    size_t shown = std::min(bytes.size(), kMostBytesShown);
    for (size_t at = kBytesPerRow; at < shown; at += kBytesPerRow) {
        file_.Line(Row(std::nullopt, *address + static_cast<long long>(at),
                       bytes.substr(at, std::min(kBytesPerRow, shown - at)), {}));
    }
    if (shown < bytes.size())
        file_.Line(Row(std::nullopt, std::nullopt, {},
                       "(" + std::to_string(bytes.size()) + " bytes in all)"));
}

}  // namespace cuffware::toolchain
