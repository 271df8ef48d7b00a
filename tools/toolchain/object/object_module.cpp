#include "toolchain/object/object_module.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <limits>
#include <sstream>

#include "platform/text_file.h"
#include "toolchain/object/alignment.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kBytesPerLine = 32;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::array<std::string_view, 4> kParts = {"WHOLE", "LOW", "HIGH", "BANK"};

std::string_view Header(ModuleStage stage) {
    return stage == ModuleStage::kObject ? "AS88 OBJECT 2" : "LK88 LINKED 2";
}

std::optional<long long> HexValue(std::string_view text) {
    long long value = 0;
    if (text.empty() || text.size() > 8 || !std::isxdigit(static_cast<unsigned char>(text[0])))
        return std::nullopt;  // from_chars would take a sign
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<long long> DecimalValue(std::string_view text) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::string> HexBytes(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    auto digit = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                      : -1;
    };
    std::string bytes(text.size() / 2, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        int high = digit(text[2 * i]), low = digit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::optional<ValuePart> PartNamed(std::string_view name) {
    for (size_t i = 0; i < kParts.size(); ++i) {
        if (kParts[i] == name)
            return static_cast<ValuePart>(i);
    }
    return std::nullopt;
}

std::string BaseText(const std::string& base) {
    return base.empty() ? "-" : base;
}

void FormatSection(const Section& section, TextFile& file) {
    file.Line("SECTION " + section.name + " " + section.kind + " " +
              (section.address ? Hex(*section.address, 6) : "-") + " " +
              std::to_string(section.bytes.size()) +
              (section.alignment > 1 ? " ALIGN " + std::to_string(section.alignment) : ""));
    // One line's room for them all: a section of a bank is 2,048 of them.
    std::string line;
    for (size_t offset = 0; offset < section.bytes.size(); offset += kBytesPerLine) {
        line.assign("BYTES ");
        line += Hex(static_cast<long long>(offset), 4);
        line += ' ';
        size_t end = std::min(section.bytes.size(), offset + kBytesPerLine);
        size_t at = line.size();
        line.resize(at + 2 * (end - offset));
        for (size_t i = offset; i < end; ++i) {
            auto byte = static_cast<unsigned char>(section.bytes[i]);
            line[at++] = kHexDigits[byte >> 4];
            line[at++] = kHexDigits[byte & 0xF];
        }
        file.Line(line);
    }
    for (const Relocation& r : section.relocations) {
        file.Line("RELOC " + Hex(static_cast<long long>(r.offset), 4) + " " +
                  std::string(FieldName(r.kind)) + " " + BaseText(r.base) + " " +
                  std::to_string(r.addend) + " " +
                  std::string(kParts[static_cast<size_t>(r.part)]) + " " + r.where + "\t" + r.what);
    }
}

// Reads the lines after the header into module; the failure is a message
// for the line.
class ModuleReader {
  public:
    explicit ModuleReader(ObjectModule& module) : module_(module) {}

    Status Line(std::string_view text) {
        std::vector<std::string> words = Words(text);
        if (words.empty())
            return Fail("cannot read line");
        const std::string& key = words[0];
        if (key == "SOURCE") {
            module_.source = std::string(AfterWords(text, 1));
            return Status::Ok();
        }
        if (key == "SECTION" && (words.size() == 5 || (words.size() == 7 && words[5] == "ALIGN")))
            return ReadSection(words);
        if (key == "BYTES" && words.size() == 3)
            return ReadBytes(words);
        if (key == "RELOC" && words.size() >= 6)
            return ReadRelocation(words, text);
        if (key == "GLOBAL" && words.size() == 4)
            return ReadGlobal(words);
        if (key == "EXTERN" && words.size() == 2) {
            module_.externs.push_back(words[1]);
            return Status::Ok();
        }
        if (key == "LABEL" && words.size() == 4)
            return ReadLabel(words);
        if (key == "LISTFILE" && words.size() >= 2) {
            module_.listedFiles.push_back(std::string(AfterWords(text, 1)));
            return Status::Ok();
        }
        if (key == "LIST")
            return ReadListedLine(text);
        if (key == "MODULE" && words.size() >= 4)
            return ReadOrigin(words, text);
        if (key == "END" && words.size() == 1) {
            ended_ = true;
            return Status::Ok();
        }
        return Fail("cannot read line");
    }

    // After the last line: the last section complete, an END line, and every
    // section reference pointing at a section.
    Status Finish() {
        if (!ended_)
            return Fail("truncated (no END line)");
        if (Status complete = SectionComplete(); !complete)
            return complete;
        for (const GlobalSymbol& symbol : module_.globals) {
            if (symbol.section && *symbol.section >= module_.sections.size())
                return Fail("symbol " + symbol.name + " refers to a section that is not there");
        }
        for (const Label& label : module_.labels) {
            if (label.section >= module_.sections.size())
                return Fail("label " + label.name + " refers to a section that is not there");
        }
        for (const ListedLine& line : module_.listing) {
            if (line.file >= module_.listedFiles.size() ||
                (line.section &&
                 (*line.section >= module_.sections.size() ||
                  line.offset + line.size > module_.sections[*line.section].bytes.size())))
                return Fail("a listed line refers to bytes or a file that are not there");
        }
        for (const ModuleOrigin& origin : module_.origins) {
            if (origin.firstSection + origin.sectionCount > module_.sections.size())
                return Fail("module " + origin.object + " refers to sections that are not there");
        }
        for (const Section& section : module_.sections) {
            for (const Relocation& r : section.relocations) {
                std::optional<size_t> base = SectionOfBase(r.base);
                if (base && *base >= module_.sections.size())
                    return Fail("a relocation refers to a section that is not there");
            }
        }
        return Status::Ok();
    }

    bool Ended() const { return ended_; }

  private:
    static std::string_view TrimFrom(std::string_view text, size_t at) {
        return at < text.size() ? text.substr(at) : std::string_view();
    }

    // The text after its first count blank-separated words.
    static std::string_view AfterWords(std::string_view text, int count) {
        size_t at = 0;
        for (int word = 0; word < count; ++word) {
            at = text.find_first_not_of(' ', at);
            at = at == std::string_view::npos ? text.size() : text.find(' ', at);
            if (at == std::string_view::npos)
                return {};
        }
        return TrimFrom(text, at + 1);
    }

    static Diagnostic Fail(std::string message) { return Diagnostic{{}, 0, std::move(message)}; }

    Status SectionComplete() {
        if (module_.sections.empty() || declaredSize_ < 0)
            return Status::Ok();
        const Section& last = module_.sections.back();
        if (declaredSize_ != static_cast<long long>(last.bytes.size()))
            return Fail("section holds " + std::to_string(last.bytes.size()) +
                        " bytes, SECTION says " + std::to_string(declaredSize_));
        for (const Relocation& r : last.relocations) {
            if (r.offset + static_cast<size_t>(FieldSize(r.kind)) > last.bytes.size())
                return Fail("a relocation lies outside its section");
        }
        return Status::Ok();
    }

    Status ReadSection(const std::vector<std::string>& words) {
        if (Status complete = SectionComplete(); !complete)
            return complete;
        Section section;
        section.name = words[1];
        section.kind = words[2];
        std::optional<long long> size = DecimalValue(words[4]);
        if (words[3] != "-")
            section.address = HexValue(words[3]);
        std::optional<long long> alignment = words.size() == 7 ? DecimalValue(words[6]) : 1;
        if ((words[3] != "-" && !section.address) || !size || *size < 0 ||
            (section.kind != "CODE" && section.kind != "DATA") || !alignment ||
            !CheckAlignment(*alignment))
            return Fail("bad SECTION line");
        section.alignment = *alignment;
        declaredSize_ = *size;
        module_.sections.push_back(std::move(section));
        return Status::Ok();
    }

    Status ReadBytes(const std::vector<std::string>& words) {
        std::optional<long long> offset = HexValue(words[1]);
        std::optional<std::string> bytes = HexBytes(words[2]);
        if (module_.sections.empty() || !offset || !bytes)
            return Fail("bad BYTES line");
        Section& section = module_.sections.back();
        if (*offset != static_cast<long long>(section.bytes.size()) ||
            section.bytes.size() + bytes->size() > static_cast<size_t>(declaredSize_))
            return Fail("bad BYTES line");
        section.bytes += *bytes;
        return Status::Ok();
    }

    Status ReadRelocation(const std::vector<std::string>& words, std::string_view text) {
        std::optional<long long> offset = HexValue(words[1]);
        Result<FieldKind> kind = FieldNamed(words[2]);
        std::optional<long long> addend = DecimalValue(words[4]);
        std::optional<ValuePart> part = PartNamed(words[5]);
        if (module_.sections.empty() || !offset || !kind || !addend || !part)
            return Fail("bad RELOC line");
        Relocation r{static_cast<size_t>(*offset),
                     *kind,
                     words[3] == "-" ? std::string() : words[3],
                     *addend,
                     *part,
                     {},
                     {}};
        std::string_view rest = AfterWords(text, 6);
        size_t tab = rest.rfind('\t');  // the form's text holds none; a file name might
        r.where = rest.substr(0, tab);
        r.what = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
        module_.sections.back().relocations.push_back(std::move(r));
        return Status::Ok();
    }

    Status ReadGlobal(const std::vector<std::string>& words) {
        std::optional<long long> value = HexValue(words[3]);
        std::optional<size_t> section = SectionOfBase(words[2]);
        if (!value || (words[2] != "-" && !section))
            return Fail("bad GLOBAL line");
        module_.globals.push_back({words[1], *value, section});
        return Status::Ok();
    }

    Status ReadLabel(const std::vector<std::string>& words) {
        std::optional<size_t> section = SectionOfBase(words[2]);
        std::optional<long long> offset = HexValue(words[3]);
        if (!section || !offset)
            return Fail("bad LABEL line");
        module_.labels.push_back({words[1], *section, *offset});
        return Status::Ok();
    }

    // "LIST file line section offset size cycles<TAB>text": the text may
    // hold anything but a line end, so the fields end at the first tab.
    Status ReadListedLine(std::string_view text) {
        size_t tab = text.find('\t');
        std::vector<std::string> words = Words(text.substr(0, tab));
        if (tab == std::string_view::npos || words.size() != 7)
            return Fail("bad LIST line");
        std::optional<long long> file = DecimalValue(words[1]), line = DecimalValue(words[2]),
                                 offset = HexValue(words[4]), size = DecimalValue(words[5]);
        std::optional<size_t> section = SectionOfBase(words[3]);
        if (!file || *file < 0 || !line || *line < 0 || *line > std::numeric_limits<int>::max() ||
            !offset || !size || *size < 0 || (words[3] != "-" && !section))
            return Fail("bad LIST line");
        module_.listing.push_back({static_cast<size_t>(*file), static_cast<int>(*line), section,
                                   static_cast<size_t>(*offset), static_cast<size_t>(*size),
                                   words[6] == "-" ? std::string() : words[6],
                                   std::string(text.substr(tab + 1))});
        return Status::Ok();
    }

    Status ReadOrigin(const std::vector<std::string>& words, std::string_view text) {
        std::optional<long long> first = DecimalValue(words[1]), count = DecimalValue(words[2]);
        if (!first || *first < 0 || !count || *count < 0)
            return Fail("bad MODULE line");
        module_.origins.push_back({std::string(AfterWords(text, 3)), static_cast<size_t>(*first),
                                   static_cast<size_t>(*count)});
        return Status::Ok();
    }

    ObjectModule& module_;
    long long declaredSize_ = -1;
    bool ended_ = false;
};

}  // namespace

std::string SectionBase(size_t section) {
    return "@" + std::to_string(section);
}

std::optional<size_t> SectionOfBase(std::string_view base) {
    if (base.size() < 2 || base[0] != '@')
        return std::nullopt;
    std::optional<long long> index = DecimalValue(base.substr(1));
    if (!index || *index < 0)
        return std::nullopt;
    return static_cast<size_t>(*index);
}

std::vector<std::string_view> WordsIn(std::string_view line, std::string_view blanks) {
    std::vector<std::string_view> words;
    for (size_t start = line.find_first_not_of(blanks); start != std::string_view::npos;) {
        size_t end = line.find_first_of(blanks, start);
        words.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(blanks, end);
    }
    return words;
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string_view> words = WordsIn(line);
    return {words.begin(), words.end()};
}

std::string FormatModule(const ObjectModule& module, ModuleStage stage) {
    TextFile file;
    file.Line(Header(stage));
    file.Line("SOURCE " + module.source);
    for (const Section& section : module.sections)
        FormatSection(section, file);
    for (const GlobalSymbol& symbol : module.globals) {
        file.Line("GLOBAL " + symbol.name + " " +
                  (symbol.section ? SectionBase(*symbol.section) : "-") + " " +
                  Hex(symbol.value, 6));
    }
    for (const std::string& name : module.externs)
        file.Line("EXTERN " + name);
    for (const Label& label : module.labels)
        file.Line("LABEL " + label.name + " " + SectionBase(label.section) + " " +
                  Hex(label.offset, 4));
    for (const std::string& name : module.listedFiles)
        file.Line("LISTFILE " + name);
    for (const ListedLine& l : module.listing) {
        file.Line("LIST " + std::to_string(l.file) + " " + std::to_string(l.line) + " " +
                  (l.section ? SectionBase(*l.section) : "-") + " " +
                  Hex(static_cast<long long>(l.offset), 4) + " " + std::to_string(l.size) + " " +
                  (l.cycles.empty() ? "-" : l.cycles) + "\t" + l.text);
    }
    for (const ModuleOrigin& origin : module.origins)
        file.Line("MODULE " + std::to_string(origin.firstSection) + " " +
                  std::to_string(origin.sectionCount) + " " + origin.object);
    file.Line("END");
    return file.Text();
}

Result<ObjectModule> ParseModule(std::string_view text, ModuleStage stage,
                                 const std::string& fileName) {
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty() || lines[0] != Header(stage))
        return Diagnostic{
            fileName, 1,
            "not a file of this stage (expected \"" + std::string(Header(stage)) + "\")"};
    ObjectModule module;
    ModuleReader reader(module);
    for (size_t i = 1; i < lines.size() && !reader.Ended(); ++i) {
        if (Status read = reader.Line(lines[i]); !read)
            return Diagnostic{fileName, static_cast<int>(i) + 1, read.error().message};
    }
    if (Status finished = reader.Finish(); !finished)
        return Diagnostic{fileName, 0, finished.error().message};
    return module;
}

}  // namespace cuffware::toolchain
