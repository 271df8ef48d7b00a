#include "batch/own_tool.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/program_version.h"

namespace cuffware::batch {

namespace {

constexpr std::array<OwnTool, 5> kOwnTools = {{
    {"as88", toolchain::RunAs88},
    {"lk88", toolchain::RunLk88},
    {"lc88", toolchain::RunLc88},
    {"maplist", toolchain::RunMaplist},
    {"labelset", toolchain::RunLabelset},
}};

constexpr std::string_view kMarkSection = ".cuffware_tool";
constexpr size_t kMaxTableBytes = 1 << 16;

// Little-endian fields of an ELF64 file.
uint64_t Field(std::string_view bytes, size_t at, size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size && at + i < bytes.size(); ++i)
        value |= uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return value;
}

std::string ReadAt(std::ifstream& file, uint64_t offset, uint64_t size) {
    if (size > kMaxTableBytes)
        return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(bytes.data(), static_cast<std::streamsize>(size));
    return file ? bytes : std::string();
}

// The content of the mark section of a 64-bit little-endian ELF file, or "".
std::string MarkOf(const std::string& hostPath) {
    std::ifstream file(hostPath, std::ios::binary);
    std::string header = ReadAt(file, 0, 64);
    if (header.size() != 64 ||
        header.compare(0, 4,
                       "\x7f"
                       "ELF") != 0 ||
        header[4] != 2 || header[5] != 1)
        return {};
    const uint64_t tableOffset = Field(header, 0x28, 8);
    const uint64_t entrySize = Field(header, 0x3A, 2);
    const uint64_t count = Field(header, 0x3C, 2);
    const uint64_t namesIndex = Field(header, 0x3E, 2);
    if (entrySize < 64 || namesIndex >= count)
        return {};
    std::string table = ReadAt(file, tableOffset, entrySize * count);
    if (table.empty())
        return {};
    auto entry = [&](uint64_t index) {
        return std::string_view(table).substr(static_cast<size_t>(index * entrySize), 64);
    };
    std::string names =
        ReadAt(file, Field(entry(namesIndex), 0x18, 8), Field(entry(namesIndex), 0x20, 8));
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t name = Field(entry(i), 0, 4);
        if (name >= names.size() ||
            std::strncmp(names.c_str() + name, kMarkSection.data(), kMarkSection.size() + 1) != 0)
            continue;
        std::string mark = ReadAt(file, Field(entry(i), 0x18, 8), Field(entry(i), 0x20, 8));
        return mark.substr(0, mark.find('\0'));
    }
    return {};
}

}  // namespace

std::string ToolMark(const std::string& toolName) {
    return "cuffware-tool " + toolName + " " + ProgramVersionLine();
}

std::optional<OwnTool> FindOwnTool(const std::string& hostPath) {
    const std::string mark = MarkOf(hostPath);
    if (mark.empty())
        return std::nullopt;
    for (const OwnTool& tool : kOwnTools) {
        if (mark == ToolMark(tool.name))
            return tool;
    }
    return std::nullopt;
}

OwnToolRun RunOwnTool(const OwnTool& tool, const std::string& programHostPath,
                      const std::vector<std::string>& arguments,
                      const std::string& workingDirectory) {
    if (AsksForVersion(arguments))
        return {0, VersionText(tool.name)};
    std::ostringstream out, err;
    toolchain::ToolContext context{
        workingDirectory, std::filesystem::path(programHostPath).parent_path().string(), out, err};
    int status = tool.entry(arguments, context);
    return {status, err.str() + out.str()};
}

}  // namespace cuffware::batch
