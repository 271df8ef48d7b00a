#include "toolchain/object/object_module.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
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

// The characters of a set, in a table: a search of the set for each
// character of a long text costs a call each.
class CharacterSet {
  public:
    constexpr explicit CharacterSet(std::string_view characters) {
        for (char c : characters) {
            in_[static_cast<unsigned char>(c)] = true;
            allControlOrSpace_ = allControlOrSpace_ && static_cast<unsigned char>(c) <= ' ';
        }
    }

    constexpr bool Holds(char c) const { return in_[static_cast<unsigned char>(c)]; }

    // Where the first character of the set at or after at lies, or end.
    const char* Find(const char* at, const char* end) const {
        // Blanks are all at most ' ': eight characters above it at once
        // hold none of them (a byte below 0x21 sets its top bit in
        // (x - 0x21...) & ~x, and no other byte does while none does).
        if (allControlOrSpace_) {
            constexpr uint64_t kOnes = 0x0101010101010101, kTops = 0x8080808080808080;
            for (uint64_t x; end - at >= 8; at += 8) {
                std::memcpy(&x, at, 8);
                if (((x - 0x21 * kOnes) & ~x & kTops) != 0)
                    break;
            }
        }
        while (at != end && !Holds(*at))
            ++at;
        return at;
    }

  private:
    std::array<bool, 256> in_{};
    bool allControlOrSpace_ = true;
};

constexpr CharacterSet kBlankSet(kBlanks);

// The words of line between blanks into words, which is emptied first.
void SplitWordsInto(std::string_view line, const CharacterSet& blanks,
                    std::vector<std::string_view>& words) {
    words.clear();
    const char* at = line.data();
    const char* end = at + line.size();
    while (true) {
        while (at != end && blanks.Holds(*at))
            ++at;
        if (at == end)
            return;
        const char* start = at;
        at = blanks.Find(at, end);
        words.emplace_back(start, static_cast<size_t>(at - start));
    }
}

// Whether text starts with key, compared at once: starts_with compares
// through a call, a cost on every line.
template <size_t kSize>
bool StartsWithKey(std::string_view text, const char (&key)[kSize]) {
    return text.size() >= kSize - 1 && std::memcmp(text.data(), key, kSize - 1) == 0;
}

// Where the word of text that goes on at from ends: the first blank at or
// after from, or the text's end.
size_t WordEnd(std::string_view text, size_t from) {
    const char* begin = text.data();
    return static_cast<size_t>(kBlankSet.Find(begin + from, begin + text.size()) - begin);
}

// What TextLines::Next takes of rest when its first line's text ends at
// at: up to and with the line end there, or 0 when no line end is there.
size_t ThroughLineEnd(std::string_view rest, size_t at) {
    if (at == rest.size())
        return at;
    if (rest[at] == '\n')
        return at + 1;
    if (rest[at] == '\r' && at + 1 == rest.size())
        return at + 1;
    if (rest[at] == '\r' && rest[at + 1] == '\n')
        return at + 2;
    return 0;
}

// Each character's value as a hex digit, or -1.
constexpr std::array<signed char, 256> kHexDigitValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 16; ++i) {
        values[static_cast<unsigned char>(kHexDigits[i])] = static_cast<signed char>(i);
        values[static_cast<unsigned char>("0123456789abcdef"[i])] = static_cast<signed char>(i);
    }
    return values;
}();

int HexDigitValue(char c) {
    return kHexDigitValues[static_cast<unsigned char>(c)];
}

// Two characters as one 16-bit load from the text holds them.
constexpr uint16_t PairOf(unsigned char first, unsigned char second) {
    return static_cast<uint16_t>(std::endian::native == std::endian::little ? first | second << 8
                                                                            : first << 8 | second);
}

// Set beside the byte in kHexPairs for a pair of hex digits.
constexpr unsigned kDigitPair = 0x100;

// The byte each pair of characters spells as two hex digits, with
// kDigitPair set, by PairOf; 0 when either is no hex digit. One look-up a
// byte: no chain of arithmetic to wait for. Only the pairs of digits are
// set, so the table is cheap for a compiler to work out.
constexpr std::array<uint16_t, 1 << 16> kHexPairs = [] {
    constexpr std::string_view kDigitsOfEitherCase = "0123456789ABCDEFabcdef";
    std::array<uint16_t, 1 << 16> pairs{};
    for (char first : kDigitsOfEitherCase) {
        for (char second : kDigitsOfEitherCase) {
            int byte = kHexDigitValues[static_cast<unsigned char>(first)] * 16 +
                       kHexDigitValues[static_cast<unsigned char>(second)];
            pairs[PairOf(static_cast<unsigned char>(first), static_cast<unsigned char>(second))] =
                static_cast<uint16_t>(kDigitPair | static_cast<unsigned>(byte));
        }
    }
    return pairs;
}();

// kHexPairs of the two characters at at.
unsigned HexPairAt(const char* at) {
    uint16_t pair;
    std::memcpy(&pair, at, 2);
    return kHexPairs[pair];
}

// The digits of text from at on, up to the first character that is no
// digit of base (10 or 16): where they end, and their value into value
// when there are 1 to maxDigits of them (nullopt otherwise).
size_t ReadDigits(std::string_view text, size_t at, int base, size_t maxDigits,
                  std::optional<unsigned long long>& value) {
    size_t start = at;
    unsigned long long number = 0;  // wraps past maxDigits, and is then not used
    for (int digit; at < text.size() && (digit = HexDigitValue(text[at])) >= 0 && digit < base;
         ++at)
        number = number * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    value.reset();
    if (at > start && at - start <= maxDigits)
        value = number;
    return at;
}

// ReadDigits of at most 8 hex digits; the four FormatModule writes an
// offset with are read by two pair look-ups.
size_t ReadHexDigits(std::string_view text, size_t at, std::optional<unsigned long long>& value) {
    if (text.size() - at > 4 && HexDigitValue(text[at + 4]) < 0) {
        unsigned high = HexPairAt(text.data() + at), low = HexPairAt(text.data() + at + 2);
        if ((high & low & kDigitPair) != 0) {
            value = (high & 0xFF) << 8 | (low & 0xFF);
            return at + 4;
        }
    }
    return ReadDigits(text, at, 16, 8, value);
}

// At most 8 hex digits and nothing else.
std::optional<long long> HexValue(std::string_view text) {
    std::optional<unsigned long long> value;
    if (ReadHexDigits(text, 0, value) != text.size() || !value)
        return std::nullopt;
    return static_cast<long long>(*value);
}

// "@N" at text's at with 1 to 18 decimal digits, the common form of a
// section base, read at once: where it ends, and N into section
// (nullopt when the text there is not of that form).
size_t ReadPlainSectionBase(std::string_view text, size_t at, std::optional<size_t>& section) {
    section.reset();
    if (at >= text.size() || text[at] != '@')
        return at;
    std::optional<unsigned long long> index;
    at = ReadDigits(text, at + 1, 10, 18, index);
    if (index)
        section = static_cast<size_t>(*index);
    return at;
}

std::optional<long long> DecimalValue(std::string_view text) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Appends the bytes the hex digits of text spell to bytes; false (bytes
// then holds as many bytes of no meaning) when text is not pairs of hex digits.
bool AppendHexBytes(std::string_view text, std::string& bytes) {
    if (text.size() % 2 != 0)
        return false;
    size_t at = bytes.size(), count = text.size() / 2;
    bytes.resize(at + count);
    char* out = bytes.data() + at;
    unsigned allDigits = kDigitPair;  // cleared by a pair that is not
    for (size_t i = 0; i < count; ++i) {
        unsigned pair = HexPairAt(text.data() + 2 * i);
        allDigits &= pair;
        out[i] = static_cast<char>(pair);
    }
    return allDigits != 0;
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

// line is scratch space kept from one line to the next.
void FormatSection(const Section& section, TextFile& file, std::string& line) {
    line.assign("SECTION ").append(section.name).append(" ").append(section.kind).append(" ");
    line.append(section.address ? Hex(*section.address, 6) : "-").append(" ");
    line.append(std::to_string(section.bytes.size()));
    if (section.alignment > 1)
        line.append(" ALIGN ").append(std::to_string(section.alignment));
    file.Line(line);
    for (size_t offset = 0; offset < section.bytes.size(); offset += kBytesPerLine) {
        line.assign("BYTES ");
        AppendHex(static_cast<long long>(offset), 4, line);
        line.append(" ");
        AppendHexOfBytes(std::string_view(section.bytes).substr(offset, kBytesPerLine), line);
        file.Line(line);
    }
    for (const Relocation& r : section.relocations) {
        line.assign("RELOC ").append(Hex(static_cast<long long>(r.offset), 4)).append(" ");
        line.append(FieldName(r.kind)).append(" ").append(BaseText(r.base)).append(" ");
        line.append(std::to_string(r.addend)).append(" ");
        line.append(kParts[static_cast<size_t>(r.part)]).append(" ");
        line.append(r.where).append("\t").append(r.what);
        file.Line(line);
    }
}

// Reads the lines after the header into module; the failure is a message
// for the line.
class ModuleReader {
  public:
    // textSize bounds what a SECTION line's size may reserve.
    ModuleReader(ObjectModule& module, size_t textSize, LabelsKept labelsKept)
        : module_(module), textSize_(textSize), labelsKept_(labelsKept) {}

    // Most lines of a module are BYTES and LABEL lines with one space
    // between their words: such a line is read straight from the text,
    // without a list of its words, and its end is found where its last word
    // ends. What the line and its line end take of rest, or 0, and nothing
    // read, for any other line, which Line then reads (and refuses as it
    // does).
    size_t PlainLine(std::string_view rest) {
        if (StartsWithKey(rest, "BYTES "))
            return ReadPlainBytes(rest);
        if (StartsWithKey(rest, "LABEL "))
            return ReadPlainLabel(rest);
        return 0;
    }

    Status Line(std::string_view text) {
        std::vector<std::string_view>& words = words_;
        SplitWordsInto(text, kBlankSet, words);
        if (words.empty())
            return Fail("cannot read line");
        std::string_view key = words[0];
        // Labels first: after the bytes, most lines are theirs.
        if (key == "LABEL" && words.size() == 4)
            return ReadLabel(words);
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
            module_.externs.emplace_back(words[1]);
            return Status::Ok();
        }
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
        // The labels are gone through only when one of them names a
        // section that is not there, to name the first that does.
        for (size_t i = 0; labelSectionsEnd_ > module_.sections.size() && i < module_.labels.size();
             ++i) {
            const Label& label = module_.labels[i];
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

    Status ReadSection(const std::vector<std::string_view>& words) {
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
        // Two hex digits a byte: no more than the text can hold.
        section.bytes.reserve(std::min(static_cast<size_t>(*size), textSize_ / 2));
        module_.sections.push_back(std::move(section));
        return Status::Ok();
    }

    Status ReadBytes(const std::vector<std::string_view>& words) {
        std::optional<long long> offset = HexValue(words[1]);
        if (module_.sections.empty() || !offset)
            return Fail("bad BYTES line");
        Section& section = module_.sections.back();
        if (*offset != static_cast<long long>(section.bytes.size()) ||
            section.bytes.size() + words[2].size() / 2 > static_cast<size_t>(declaredSize_) ||
            !AppendHexBytes(words[2], section.bytes))
            return Fail("bad BYTES line");
        return Status::Ok();
    }

    // "BYTES offset hex" with one space between the words, to its line end:
    // what the line and its line end take of rest, or 0, and nothing read,
    // for any other line.
    size_t ReadPlainBytes(std::string_view rest) {
        constexpr size_t kKeySize = std::string_view("BYTES ").size();
        if (module_.sections.empty())
            return 0;
        std::optional<unsigned long long> offset;
        size_t offsetEnd = ReadHexDigits(rest, kKeySize, offset);
        if (!offset || offsetEnd == rest.size() || rest[offsetEnd] != ' ')
            return 0;
        Section& section = module_.sections.back();
        size_t before = section.bytes.size();
        // The line as FormatModule writes it ends after as many bytes as a
        // line holds or the section has left: looked for there first. Hex
        // digits only (HexValue and AppendHexBytes check) hold no blanks,
        // so these are the line's three words.
        size_t hexStart = offsetEnd + 1;
        size_t left = static_cast<size_t>(declaredSize_) - before;
        size_t hexEnd = std::min(hexStart + 2 * std::min(left, kBytesPerLine), rest.size());
        size_t taken = ThroughLineEnd(rest, hexEnd);
        if (taken == 0) {
            hexEnd = WordEnd(rest, hexStart);
            taken = ThroughLineEnd(rest, hexEnd);
        }
        std::string_view hex = rest.substr(hexStart, hexEnd - hexStart);
        if (taken == 0 || hex.empty() || *offset != before ||
            before + hex.size() / 2 > static_cast<size_t>(declaredSize_))
            return 0;
        if (!AppendHexBytes(hex, section.bytes)) {
            section.bytes.resize(before);
            return 0;
        }
        return taken;
    }

    Status ReadRelocation(const std::vector<std::string_view>& words, std::string_view text) {
        std::optional<long long> offset = HexValue(words[1]);
        Result<FieldKind> kind = FieldNamed(words[2]);
        std::optional<long long> addend = DecimalValue(words[4]);
        std::optional<ValuePart> part = PartNamed(words[5]);
        if (module_.sections.empty() || !offset || !kind || !addend || !part)
            return Fail("bad RELOC line");
        Relocation r{static_cast<size_t>(*offset),
                     *kind,
                     words[3] == "-" ? std::string() : std::string(words[3]),
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

    Status ReadGlobal(const std::vector<std::string_view>& words) {
        std::optional<long long> value = HexValue(words[3]);
        std::optional<size_t> section = SectionOfBase(words[2]);
        if (!value || (words[2] != "-" && !section))
            return Fail("bad GLOBAL line");
        module_.globals.push_back({std::string(words[1]), *value, section});
        return Status::Ok();
    }

    Status ReadLabel(const std::vector<std::string_view>& words) {
        std::optional<size_t> section = SectionOfBase(words[2]);
        std::optional<long long> offset = HexValue(words[3]);
        if (!section || !offset)
            return Fail("bad LABEL line");
        AddLabel(words[1], *section, *offset);
        return Status::Ok();
    }

    // "LABEL name @N offset" with one space between the words, to its line
    // end: what the line and its line end take of rest, or 0, and nothing
    // read, for any other line.
    size_t ReadPlainLabel(std::string_view rest) {
        constexpr size_t kKeySize = std::string_view("LABEL ").size();
        size_t nameEnd = WordEnd(rest, kKeySize);
        if (nameEnd == kKeySize || nameEnd == rest.size() || rest[nameEnd] != ' ')
            return 0;
        std::optional<size_t> section;
        size_t sectionEnd = ReadPlainSectionBase(rest, nameEnd + 1, section);
        if (!section || sectionEnd == rest.size() || rest[sectionEnd] != ' ')
            return 0;
        std::optional<unsigned long long> offset;
        size_t taken = ThroughLineEnd(rest, ReadHexDigits(rest, sectionEnd + 1, offset));
        if (taken == 0 || !offset)
            return 0;
        AddLabel(rest.substr(kKeySize, nameEnd - kKeySize), *section,
                 static_cast<long long>(*offset));
        return taken;
    }

    void AddLabel(std::string_view name, size_t section, long long offset) {
        if (labelsKept_ == LabelsKept::kAll || section >= module_.sections.size()) {
            module_.labels.push_back(Label{std::string(name), section, offset});
            labelSectionsEnd_ = std::max(labelSectionsEnd_, section + 1);
        }
    }

    // "LIST file line section offset size cycles<TAB>text": the text may
    // hold anything but a line end, so the fields end at the first tab.
    Status ReadListedLine(std::string_view text) {
        size_t tab = text.find('\t');
        std::vector<std::string_view>& words = words_;
        SplitWordsInto(text.substr(0, tab), kBlankSet, words);
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
                                   words[6] == "-" ? std::string() : std::string(words[6]),
                                   std::string(text.substr(tab + 1))});
        return Status::Ok();
    }

    Status ReadOrigin(const std::vector<std::string_view>& words, std::string_view text) {
        std::optional<long long> first = DecimalValue(words[1]), count = DecimalValue(words[2]);
        if (!first || *first < 0 || !count || *count < 0)
            return Fail("bad MODULE line");
        module_.origins.push_back({std::string(AfterWords(text, 3)), static_cast<size_t>(*first),
                                   static_cast<size_t>(*count)});
        return Status::Ok();
    }

    ObjectModule& module_;
    size_t textSize_;
    LabelsKept labelsKept_;
    std::vector<std::string_view> words_;  // of the line being read, kept for its capacity
    long long declaredSize_ = -1;
    size_t labelSectionsEnd_ = 0;  // one past the highest section a kept label names
    bool ended_ = false;
};

}  // namespace

std::string SectionBase(size_t section) {
    return "@" + std::to_string(section);
}

std::optional<size_t> SectionOfBase(std::string_view base) {
    if (base.size() < 2 || base[0] != '@')
        return std::nullopt;
    // The common "@12" at once; signs and long numbers through DecimalValue.
    std::optional<size_t> section;
    if (ReadPlainSectionBase(base, 0, section) == base.size() && section)
        return section;
    std::optional<long long> index = DecimalValue(base.substr(1));
    if (!index || *index < 0)
        return std::nullopt;
    return static_cast<size_t>(*index);
}

std::vector<std::string_view> WordsIn(std::string_view line, std::string_view blanks) {
    std::vector<std::string_view> words;
    SplitWordsInto(line, CharacterSet(blanks), words);
    return words;
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string_view> words = WordsIn(line);
    return {words.begin(), words.end()};
}

std::string FormatModule(const ObjectModule& module, ModuleStage stage) {
    TextFile file;
    size_t bytes = 0;
    for (const Section& section : module.sections)
        bytes += section.bytes.size();
    // A BYTES line of 32 bytes is 79 characters; a LABEL line some 25.
    file.Reserve(bytes * 5 / 2 + 32 * (module.labels.size() + module.listing.size()));
    std::string line;  // each line is put together here, its space kept
    file.Line(Header(stage));
    file.Line(line.assign("SOURCE ").append(module.source));
    for (const Section& section : module.sections)
        FormatSection(section, file, line);
    for (const GlobalSymbol& symbol : module.globals) {
        line.assign("GLOBAL ").append(symbol.name).append(" ");
        line.append(symbol.section ? SectionBase(*symbol.section) : "-").append(" ");
        file.Line(line.append(Hex(symbol.value, 6)));
    }
    for (const std::string& name : module.externs)
        file.Line(line.assign("EXTERN ").append(name));
    for (const Label& label : module.labels) {
        line.assign("LABEL ").append(label.name).append(" ");
        line.append(SectionBase(label.section)).append(" ");
        AppendHex(label.offset, 4, line);
        file.Line(line);
    }
    for (const std::string& name : module.listedFiles)
        file.Line(line.assign("LISTFILE ").append(name));
    for (const ListedLine& l : module.listing) {
        line.assign("LIST ").append(std::to_string(l.file)).append(" ");
        line.append(std::to_string(l.line)).append(" ");
        line.append(l.section ? SectionBase(*l.section) : "-").append(" ");
        line.append(Hex(static_cast<long long>(l.offset), 4)).append(" ");
        line.append(std::to_string(l.size)).append(" ");
        line.append(l.cycles.empty() ? "-" : l.cycles).append("\t").append(l.text);
        file.Line(line);
    }
    for (const ModuleOrigin& origin : module.origins) {
        line.assign("MODULE ").append(std::to_string(origin.firstSection)).append(" ");
        line.append(std::to_string(origin.sectionCount)).append(" ").append(origin.object);
        file.Line(line);
    }
    file.Line("END");
    return file.TakeText();
}

Result<ObjectModule> ParseModule(std::string_view text, ModuleStage stage,
                                 const std::string& fileName, LabelsKept labelsKept) {
    TextLines lines(text);
    std::string_view line;
    if (!lines.Next(line) || line != Header(stage))
        return Diagnostic{
            fileName, 1,
            "not a file of this stage (expected \"" + std::string(Header(stage)) + "\")"};
    ObjectModule module;
    // Room for as many labels as the text can hold ("LABEL a @0 0" and its
    // line end): pages are only touched where labels land, and the list is
    // never copied as it grows.
    if (labelsKept == LabelsKept::kAll)
        module.labels.reserve(text.size() / 14);
    ModuleReader reader(module, text.size(), labelsKept);
    for (int number = 2; !reader.Ended() && !lines.Rest().empty(); ++number) {
        if (size_t taken = reader.PlainLine(lines.Rest())) {
            lines.Skip(taken);
            continue;
        }
        lines.Next(line);
        if (Status read = reader.Line(line); !read)
            return Diagnostic{fileName, number, read.error().message};
    }
    if (Status finished = reader.Finish(); !finished)
        return Diagnostic{fileName, 0, finished.error().message};
    return module;
}

}  // namespace cuffware::toolchain
