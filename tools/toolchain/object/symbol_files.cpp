#include "toolchain/object/symbol_files.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <sstream>
#include <unordered_set>

#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "toolchain/assembler/expression.h"

namespace cuffware::toolchain {

namespace {

constexpr std::string_view kMapHeader = "LC88 LOCATE MAP";

// "NAME HEXVALUE" read into symbols, or the reason it cannot be.
Status ReadSymbol(const std::string& name, const std::string& hexValue,
                  std::vector<GlobalSymbol>& symbols) {
    Result<long long> value = NumberValue("0x" + hexValue);
    if (!IsIdentifier(name) || !value)
        return Diagnostic{{}, 0, "bad symbol line"};
    symbols.push_back({name, *value, std::nullopt});
    return Status::Ok();
}

using NameSet = std::unordered_set<std::string_view>;

// A local label is kept as "Scope.name"; its scope is a label of the module.
bool IsLocal(std::string_view name, const NameSet& names) {
    size_t dot = name.find('.');
    return dot != std::string::npos && dot > 0 && names.count(name.substr(0, dot));
}

// The map's text, put together in one string: a map of many labels is
// written piece by piece into room made ahead, without a string for each
// line or a check of the string's capacity for each piece.
class MapText {
  public:
    explicit MapText(size_t expectedSize) : text_(expectedSize, '\0') {}

    MapText& operator<<(std::string_view piece) {
        std::memcpy(Room(piece.size()), piece.data(), piece.size());
        return *this;
    }

    // Hex(address, 6).
    MapText& Address(long long address) {
        PutHex(address, 6, Room(HexLength(address, 6)));
        return *this;
    }

    MapText& Decimal(long long number) {
        constexpr size_t kMostDigits = 20;  // with the sign
        char* at = Room(kMostDigits);
        used_ -=
            kMostDigits - static_cast<size_t>(std::to_chars(at, at + kMostDigits, number).ptr - at);
        return *this;
    }

    void EndLine() { *this << "\r\n"; }

    std::string Take() {
        text_.resize(used_);
        return std::move(text_);
    }

  private:
    // size more characters at the end of the text, to be written.
    char* Room(size_t size) {
        if (used_ + size > text_.size())
            text_.resize(std::max(2 * text_.size(), used_ + size));
        char* at = text_.data() + used_;
        used_ += size;
        return at;
    }

    std::string text_;
    size_t used_ = 0;
};

// The labels of one section in address order, each with its size: a
// routine's (an ordinary label's) up to the next routine's label, a local
// label's up to the next label, the last ones' up to the section's end.
// labels are the section's in the module's order.
void ListSectionLabels(const Section& section, std::vector<const Label*>& labels,
                       const NameSet& names, MapText& map) {
    auto byOffset = [](const Label* a, const Label* b) { return a->offset < b->offset; };
    // Labels mostly come in address order already: no sort for them.
    if (!std::is_sorted(labels.begin(), labels.end(), byOffset))
        std::stable_sort(labels.begin(), labels.end(), byOffset);
    // Without names to look scopes up in, no label is local.
    std::vector<bool> local(labels.size());
    for (size_t i = 0; !names.empty() && i < labels.size(); ++i)
        local[i] = IsLocal(labels[i]->name, names);
    // From the last group of labels at one offset back to the first.
    std::vector<long long> ends(labels.size());
    long long nextAny = static_cast<long long>(section.bytes.size()), nextRoutine = nextAny;
    for (size_t i = labels.size(); i > 0;) {
        size_t first = i - 1;
        while (first > 0 && labels[first - 1]->offset == labels[first]->offset)
            --first;
        bool routine = false;
        for (size_t k = first; k < i; ++k) {
            ends[k] = local[k] ? nextAny : nextRoutine;
            routine = routine || !local[k];
        }
        nextAny = labels[first]->offset;
        if (routine)
            nextRoutine = nextAny;
        i = first;
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        map << (local[i] ? "    LABEL " : "  LABEL ") << labels[i]->name << " ";
        map.Address(section.address.value_or(0) + labels[i]->offset) << " SIZE ";
        map.Decimal(ends[i] - labels[i]->offset).EndLine();
    }
}

// A label's name may hold the local separator: "Scope.name".
Status ReadLabel(const std::string& name, const std::string& hexValue,
                 std::vector<GlobalSymbol>& labels) {
    Result<long long> value = NumberValue("0x" + hexValue);
    if (!value)
        return Diagnostic{{}, 0, "bad label line"};
    labels.push_back({name, *value, std::nullopt});
    return Status::Ok();
}

Status ReadMapSection(const std::vector<std::string>& words, std::vector<MapSection>& sections) {
    Result<long long> start = NumberValue("0x" + words[3]);
    Result<long long> size = NumberValue(words[5]);
    std::string kind = words.size() == 7 ? words[6] : std::string();
    if (!start || !size || (!kind.empty() && kind != "CODE" && kind != "DATA"))
        return Diagnostic{{}, 0, "bad section line"};
    sections.push_back({words[1], *start, *size, kind});
    return Status::Ok();
}

}  // namespace

std::string FormatMap(const ObjectModule& module, std::string_view outputName) {
    MapText map(40 * (module.labels.size() + module.globals.size()) + 64 * module.sections.size() +
                outputName.size());
    (map << kMapHeader).EndLine();
    (map << "OUTPUT " << outputName).EndLine();
    std::vector<std::vector<const Label*>> labelsOf(module.sections.size());
    bool anyLocal = false;
    for (const Label& label : module.labels) {
        // A loop, not find's call: names are short.
        anyLocal =
            anyLocal || std::find(label.name.begin(), label.name.end(), '.') != label.name.end();
        if (label.section < labelsOf.size())
            labelsOf[label.section].push_back(&label);
    }
    // Only a name with a dot can be a local label's; without one, no scope
    // needs looking up.
    NameSet names;
    for (size_t i = 0; anyLocal && i < module.labels.size(); ++i)
        names.insert(module.labels[i].name);
    for (size_t i = 0; i < module.sections.size(); ++i) {
        const Section& section = module.sections[i];
        map << "SECTION " << section.name << " START ";
        map.Address(section.address.value_or(0)) << " SIZE ";
        map.Decimal(static_cast<long long>(section.bytes.size())) << " " << section.kind;
        map.EndLine();
        ListSectionLabels(section, labelsOf[i], names, map);
    }
    if (module.sections.size() > 0) {
        map << "START ";
        map.Address(module.sections[0].address.value_or(0)).EndLine();
    }
    for (const GlobalSymbol& symbol : module.globals) {
        map << "SYMBOL " << symbol.name << " ";
        map.Address(symbol.value).EndLine();
    }
    (map << "END").EndLine();
    return map.Take();
}

Result<LocateMap> ReadMap(std::string_view text, const std::string& fileName) {
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty() || lines[0] != kMapHeader)
        return Diagnostic{fileName, 1, "not a locate map (expected \"LC88 LOCATE MAP\")"};
    // A map cut short (a power cut while it was written) ends before END.
    size_t last = lines.size();
    while (last > 1 && Words(lines[last - 1]).empty())
        --last;
    if (Words(lines[last - 1]) != std::vector<std::string>{"END"})
        return Diagnostic{fileName, static_cast<int>(last),
                          "ends early: no END line after the last entry; build it again"};
    LocateMap map;
    for (size_t i = 1; i < lines.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        std::vector<std::string> words = Words(lines[i]);
        if (words.empty() || words[0] == "OUTPUT" || words[0] == "START" || words[0] == "END")
            continue;
        Status read = Diagnostic{{}, 0, "cannot read line"};
        if (words[0] == "SYMBOL" && words.size() == 3)
            read = ReadSymbol(words[1], words[2], map.symbols);
        else if (words[0] == "LABEL" && words.size() == 5 && words[3] == "SIZE")
            read = ReadLabel(words[1], words[2], map.labels);
        else if (words[0] == "SECTION" && (words.size() == 6 || words.size() == 7) &&
                 words[2] == "START" && words[4] == "SIZE")
            read = ReadMapSection(words, map.sections);
        if (!read)
            return Diagnostic{fileName, number, read.error().message};
    }
    return map;
}

Result<std::vector<GlobalSymbol>> MapSymbols(std::string_view text, const std::string& fileName) {
    Result<LocateMap> map = ReadMap(text, fileName);
    if (!map)
        return map.error();
    return std::move(map->symbols);
}

std::vector<GlobalSymbol> EquatesIn(std::string_view text) {
    std::vector<GlobalSymbol> equates;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string> words = Words(line.substr(0, line.find(';')));
        if (words.size() != 3 || !EqualsIgnoreCase(words[1], "equ") || !IsIdentifier(words[0]))
            continue;
        if (Result<long long> value = NumberValue(words[2]))
            equates.push_back({words[0], *value, std::nullopt});
    }
    return equates;
}

std::string FormatSymbolList(const std::vector<GlobalSymbol>& symbols) {
    TextFile file;
    for (const GlobalSymbol& symbol : symbols)
        file.Line(symbol.name + " " + Hex(symbol.value, 6));
    return file.TakeText();
}

Result<std::vector<GlobalSymbol>> ReadSymbolList(std::string_view text,
                                                 const std::string& fileName) {
    std::vector<GlobalSymbol> symbols;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        std::vector<std::string> words = Words(line);
        if (words.empty())
            continue;
        Status read = words.size() == 2 ? ReadSymbol(words[0], words[1], symbols)
                                        : Status(Diagnostic{{}, 0, "cannot read line"});
        if (!read)
            return Diagnostic{fileName, number, read.error().message};
    }
    return symbols;
}

std::string FormatEquates(const std::vector<GlobalSymbol>& symbols) {
    TextFile file;
    file.Line("; global labels of the common section");
    for (const GlobalSymbol& symbol : symbols)
        file.Line(symbol.name + " equ 0x" + Hex(symbol.value, 6));
    return file.TakeText();
}

}  // namespace cuffware::toolchain
