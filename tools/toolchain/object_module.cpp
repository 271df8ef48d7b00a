#include "toolchain/object_module.h"

#include <sstream>

#include "project/text_file.h"
#include "toolchain/expression.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kBytesPerLine = 32;

std::string_view Header(ModuleStage stage) {
    return stage == ModuleStage::kObject ? "AS88 OBJECT 1" : "LK88 LINKED 1";
}

std::vector<std::string> Words(std::string_view line) {
    std::istringstream stream{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

Result<long long> HexValue(const std::string& text) {
    return NumberValue("0x" + text);
}

// The bytes of a hex text, or a failure.
Result<std::string> HexBytes(const std::string& text) {
    if (text.size() % 2 != 0)
        return Diagnostic{{}, 0, "odd number of hex digits"};
    std::string bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        Result<long long> byte = HexValue(text.substr(i, 2));
        if (!byte)
            return byte.error();
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

}  // namespace

std::string Hex(long long value, int width) {
    std::ostringstream text;
    text << std::uppercase << std::hex << value;
    std::string digits = text.str();
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return digits;
}

std::string FormatModule(const ObjectModule& module, ModuleStage stage) {
    TextFile file;
    file.Line(Header(stage));
    file.Line("SOURCE " + module.source);
    file.Line("SECTION " + module.sectionName + " " + Hex(module.address, 6) + " " +
              std::to_string(module.bytes.size()));
    for (size_t offset = 0; offset < module.bytes.size(); offset += kBytesPerLine) {
        std::string line = "BYTES " + Hex(static_cast<long long>(offset), 4) + " ";
        for (size_t i = offset; i < module.bytes.size() && i < offset + kBytesPerLine; ++i)
            line += Hex(static_cast<unsigned char>(module.bytes[i]), 2);
        file.Line(line);
    }
    for (const GlobalSymbol& symbol : module.globals)
        file.Line("GLOBAL " + symbol.name + " " + Hex(symbol.value, 6));
    file.Line("END");
    return file.Text();
}

Result<ObjectModule> ParseModule(std::string_view text, ModuleStage stage,
                                 const std::string& fileName) {
    ObjectModule module;
    std::vector<std::string_view> lines = SplitLines(text);
    auto fail = [&](int line, const std::string& message) {
        return Diagnostic{fileName, line, message};
    };
    if (lines.empty() || lines[0] != Header(stage))
        return fail(1,
                    "not a file of this stage (expected \"" + std::string(Header(stage)) + "\")");
    long long size = -1;
    bool ended = false;
    for (size_t i = 1; i < lines.size() && !ended; ++i) {
        int number = static_cast<int>(i) + 1;
        std::vector<std::string> words = Words(lines[i]);
        if (words.size() == 2 && words[0] == "SOURCE") {
            module.source = words[1];
        } else if (words.size() == 4 && words[0] == "SECTION" && size < 0) {
            Result<long long> address = HexValue(words[2]);
            Result<long long> count = NumberValue(words[3]);
            if (!address || !count)
                return fail(number, "bad SECTION line");
            module.sectionName = words[1];
            module.address = *address;
            size = *count;
        } else if (words.size() == 3 && words[0] == "BYTES" && size >= 0) {
            Result<long long> offset = HexValue(words[1]);
            Result<std::string> bytes = HexBytes(words[2]);
            if (!offset || !bytes || *offset != static_cast<long long>(module.bytes.size()))
                return fail(number, "bad BYTES line");
            module.bytes += *bytes;
        } else if (words.size() == 3 && words[0] == "GLOBAL") {
            Result<long long> value = HexValue(words[2]);
            if (!value)
                return fail(number, "bad GLOBAL line");
            module.globals.push_back({words[1], *value});
        } else if (words.size() == 1 && words[0] == "END") {
            ended = true;
        } else {
            return fail(number, "cannot read line");
        }
    }
    if (size < 0)
        return fail(0, "no SECTION line");
    if (!ended)
        return fail(0, "truncated (no END line)");
    if (size != static_cast<long long>(module.bytes.size()))
        return fail(0, "section holds " + std::to_string(module.bytes.size()) +
                           " bytes, SECTION says " + std::to_string(size));
    return module;
}

}  // namespace cuffware::toolchain
