// Programs from the locator's outputs: S-records for the bytes, the map for
// the sections and symbols; and SDK equate files for names of stubs.
#include <set>
#include <string>

#include "platform/text_file.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/object/s_records.h"
#include "toolchain/object/symbol_files.h"
#include "toolchain/simulator/simulator.h"

namespace cuffware::simulator {

namespace {

std::optional<uint32_t> HexNumber(std::string_view text) {
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

}  // namespace

Result<Program> ProgramFromSRecords(std::string_view sRecords, const std::string& sRecordName,
                                    std::string_view map, const std::string& mapName) {
    Result<std::vector<toolchain::LoadedBytes>> runs =
        toolchain::ReadSRecords(sRecords, sRecordName);
    if (!runs)
        return runs.error();
    Program program;
    for (const toolchain::LoadedBytes& run : *runs) {
        program.bytes.push_back({static_cast<uint32_t>(run.address & 0xFFFFFF),
                                 std::vector<uint8_t>(run.bytes.begin(), run.bytes.end())});
    }
    if (map.empty())
        return program;
    Result<toolchain::LocateMap> read = toolchain::ReadMap(map, mapName);
    if (!read)
        return read.error();
    for (const toolchain::MapSection& section : read->sections)
        program.sections.push_back({section.name, static_cast<uint32_t>(section.start & 0xFFFFFF),
                                    static_cast<uint32_t>(section.size)});
    // Every label where the map lists them, and the globals (equates among
    // them) a map of only SYMBOL lines gives.
    std::set<std::string> named;
    for (const auto* names : {&read->labels, &read->symbols}) {
        for (const toolchain::GlobalSymbol& label : *names) {
            if (named.insert(label.name).second)
                program.labels.push_back(
                    {label.name, static_cast<uint32_t>(label.value & 0xFFFFFF)});
        }
    }
    return program;
}

Program ProgramFromImage(std::span<const uint8_t> image, uint32_t address) {
    Program program;
    program.bytes.push_back({address, std::vector<uint8_t>(image.begin(), image.end())});
    return program;
}

Result<std::vector<SourceLine>> SourceLinesFromListing(std::string_view text,
                                                       const std::string& fileName,
                                                       uint32_t displacement) {
    constexpr std::string_view kHeading = "; FILE ";
    std::vector<SourceLine> lines;
    std::string file;
    std::vector<std::string_view> rows = SplitLines(text);
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string_view row = rows[i];
        if (row.starts_with(kHeading)) {
            file = row.substr(kHeading.size());
            continue;
        }
        if (row.size() < 14)
            continue;
        std::vector<std::string_view> number =
            toolchain::WordsIn(row.substr(0, 6), toolchain::kSpaceOrTab);
        std::vector<std::string_view> address =
            toolchain::WordsIn(row.substr(8, 6), toolchain::kSpaceOrTab);
        if (number.size() != 1 || address.size() != 1)
            continue;
        Result<long long> line = toolchain::NumberValue(number[0]);
        std::optional<uint32_t> at = HexNumber(address[0]);
        if (!line || !at || file.empty())
            return Diagnostic{fileName, static_cast<int>(i) + 1, "cannot read line"};
        lines.push_back({(*at + displacement) & 0xFFFFFF, file, static_cast<int>(*line)});
    }
    return lines;
}

Result<std::vector<Label>> LabelsFromEquates(std::string_view text, const std::string& fileName) {
    std::vector<Label> labels;
    std::vector<std::string_view> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string_view> words = toolchain::WordsIn(lines[i], toolchain::kSpaceOrTab);
        if (words.empty() || words[0].starts_with(";"))
            continue;
        std::optional<uint32_t> value;
        if (words.size() == 3 && (words[1] == "equ" || words[1] == "EQU")) {
            Result<long long> number = toolchain::NumberValue(words[2]);
            if (number && *number >= 0 && *number <= 0xFFFFFF)
                value = static_cast<uint32_t>(*number);
        } else if (words.size() == 2) {
            value = HexNumber(words[1]);
        }
        if (!value)
            return Diagnostic{fileName, static_cast<int>(i) + 1, "cannot read line"};
        labels.push_back({std::string(words[0]), *value});
    }
    return labels;
}

}  // namespace cuffware::simulator
