#include "toolchain/disassembler/disassembly_writer.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "platform/text_rules.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/assembler/local_labels.h"
#include "toolchain/disassembler/disassembler.h"
#include "toolchain/isa/encoder.h"
#include "toolchain/isa/instruction_set.h"

namespace cuffware::toolchain {

namespace {

constexpr size_t kDataBytesPerLine = 8;
constexpr size_t kCommentColumn = 40;
constexpr size_t kBlockBytes = 64 << 10;

// Words a name must not be, or as88 would read the line otherwise.
constexpr std::array<std::string_view, 20> kDirectives = {
    "DB",    "DW",   "DS", "END",  "SECT",  "DEFSECT", "GLOBAL", "EXTERN", "EQU",   "SET",
    "MACRO", "ENDM", "IF", "ELSE", "ENDIF", "INCLUDE", "REPT",   "ENDR",   "ALIGN", "LOCAL"};

// A local label, "Scope.name" (or a macro's "Macro.name.N"), is written as
// it is named, when its first part would be usable alone.
bool UsableName(const std::string& name) {
    if (size_t dot = name.find('.'); dot != std::string::npos)
        return dot > 0 && IsLabelName(name) && UsableName(name.substr(0, dot));
    std::string upper = ToUpperAscii(name);
    return IsIdentifier(name) && !IsOperandWord(upper) && !IsMnemonic(name) &&
           std::find(kDirectives.begin(), kDirectives.end(), upper) == kDirectives.end();
}

// One run's stretch that lies in one section of the map (or in none).
struct Piece {
    size_t run;
    size_t offset;  // in the run
    long long start;
    size_t size;
    std::string section;
    bool data;

    long long End() const { return start + static_cast<long long>(size); }
};

// The names of addresses: labels to print where their address starts a
// line, and the names a branch target may be given.
class Names {
  public:
    explicit Names(const DisassemblyNames& names) {
        std::set<std::string> taken;
        for (const GlobalSymbol& label : names.map.labels) {
            bool usable = UsableName(label.name) && taken.insert(label.name).second;
            labels_.emplace(label.value, Label{label.name, usable});
            if (usable)
                targets_.try_emplace(label.value, label.name);
        }
        for (const std::vector<GlobalSymbol>* list : {&names.map.symbols, &names.equates}) {
            for (const GlobalSymbol& symbol : *list) {
                bool known = taken.count(symbol.name) > 0;
                if (!known && UsableName(symbol.name) &&
                    targets_.try_emplace(symbol.value, symbol.name).second)
                    taken.insert(symbol.name);
            }
        }
    }

    // The name for a branch target: its own, or an SDK entry's 16-bit one.
    std::optional<std::string> Target(long long address) {
        auto it = targets_.find(address);
        if (it == targets_.end())
            it = targets_.find(address & 0xFFFF);
        if (it == targets_.end() || (it->first != address && it->first > 0xFFFF))
            return std::nullopt;
        used_.insert(it->second);
        return it->second;
    }

    // The labels at address not printed yet, marked printed.
    std::vector<std::pair<std::string, bool>> TakeLabelsAt(long long address) {
        std::vector<std::pair<std::string, bool>> found;
        auto [first, last] = labels_.equal_range(address);
        for (auto it = first; it != last; ++it) {
            if (placed_.insert(it->second.name).second)
                found.emplace_back(it->second.name, it->second.usable);
        }
        return found;
    }

    // The first labelled address after address, or none.
    std::optional<long long> NextLabelAfter(long long address) const {
        auto it = labels_.upper_bound(address);
        return it == labels_.end() ? std::nullopt : std::optional(it->first);
    }

    // The names used as targets that no printed label defines, with values.
    std::vector<std::pair<std::string, long long>> Undefined() const {
        std::vector<std::pair<std::string, long long>> names;
        for (const auto& [value, name] : targets_) {
            if (used_.count(name) && !placed_.count(name))
                names.emplace_back(name, value);
        }
        return names;
    }

    void ForgetPrinted() { placed_.clear(); }

  private:
    struct Label {
        std::string name;
        bool usable;
    };
    std::multimap<long long, Label> labels_;
    std::map<long long, std::string> targets_;
    std::set<std::string> used_;
    std::set<std::string> placed_;
};

std::string Hex6(long long value) {
    return "0x" + Hex(value, 6);
}

// The runs cut at the map's section bounds, each piece named for its section.
std::vector<Piece> Pieces(const std::vector<LocatedRuns::Extent>& runs, const LocateMap& map) {
    std::vector<MapSection> sections = map.sections;
    std::sort(sections.begin(), sections.end(),
              [](const MapSection& a, const MapSection& b) { return a.start < b.start; });
    std::map<std::string, int> uses;
    for (const MapSection& section : sections)
        ++uses[section.name];
    std::vector<Piece> pieces;
    for (size_t index = 0; index < runs.size(); ++index) {
        const LocatedRuns::Extent& run = runs[index];
        long long at = run.address, end = run.address + static_cast<long long>(run.size);
        while (at < end) {
            auto in = std::find_if(sections.begin(), sections.end(), [at](const MapSection& s) {
                return s.size > 0 && at >= s.start && at < s.start + s.size;
            });
            auto next = std::find_if(sections.begin(), sections.end(),
                                     [at](const MapSection& s) { return s.start > at; });
            long long stop = in != sections.end()     ? std::min(end, in->start + in->size)
                             : next != sections.end() ? std::min(end, next->start)
                                                      : end;
            std::string name =
                in != sections.end() && uses[in->name] == 1
                    ? in->name
                    : (in != sections.end() ? in->name : std::string("s")) + "_" + Hex(at, 6);
            pieces.push_back({index, static_cast<size_t>(at - run.address), at,
                              static_cast<size_t>(stop - at), name,
                              in != sections.end() && in->kind == "DATA"});
            at = stop;
        }
    }
    return pieces;
}

// Hands step the piece's bytes a block at a time, each block after the bytes
// step left unused of the one before (an instruction the block cut short).
// step(bytes, address, last) returns how many it used: all on the last block.
template <class Step>
Status EachBlock(LocatedRuns& runs, const Piece& piece, std::vector<unsigned char>& buffer,
                 const Step& step) {
    buffer.clear();
    size_t done = 0;
    while (done < piece.size) {
        size_t held = buffer.size();
        size_t more = std::min(kBlockBytes, piece.size - done - held);
        buffer.resize(held + more);
        std::span<unsigned char> block(buffer);
        if (Status read = runs.Read(piece.run, piece.offset + done + held, block.subspan(held));
            !read)
            return read;
        bool last = done + held + more == piece.size;
        size_t used = step(std::span<const unsigned char>(block),
                           piece.start + static_cast<long long>(done), last);
        buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(used));
        done += used;
    }
    return Status::Ok();
}

std::string HexBytes(std::string_view bytes) {
    std::string text;
    for (char byte : bytes)
        text += (text.empty() ? "" : " ") + Hex(static_cast<unsigned char>(byte), 2);
    return text;
}

// Walks the pieces line by line; print says whether to write them (the
// first walk only learns which names are used and which labels placed).
class Walk {
  public:
    Walk(Names& names, DisassemblyForm form, std::ostream* out)
        : names_(names), form_(form), out_(out) {}

    // nextFollows: the next piece starts where this one ends, and prints
    // the labels at this one's end.
    Status Piece(LocatedRuns& runs, const toolchain::Piece& piece, bool nextFollows) {
        if (out_ && form_ == DisassemblyForm::kSource) {
            *out_ << "        DEFSECT \"" << piece.section << "\", "
                  << (piece.data ? "DATA" : "CODE") << " AT " << Hex6(piece.start) << "\n"
                  << "        SECT    \"" << piece.section << "\"\n";
        }
        auto name = [this](long long target) { return names_.Target(target); };
        auto line = [this](const DisassembledLine& text) { Line(text); };
        Status read = EachBlock(
            runs, piece, buffer_,
            [&](std::span<const unsigned char> bytes, long long start, bool last) -> size_t {
                if (piece.data)
                    return Data(bytes, start, last);
                if (!last)
                    return DisassembleWhole(bytes, start, name, line);
                DisassembleEach(bytes, start, name, line);
                return bytes.size();
            });
        if (read && !nextFollows)
            Labels(piece.End());
        return read;
    }

  private:
    // DB lines of eight bytes, cut at each label; all the bytes when last,
    // else those of whole lines.
    size_t Data(std::span<const unsigned char> bytes, long long start, bool last) {
        long long end = start + static_cast<long long>(bytes.size());
        long long at = start;
        while (at < end && (last || end - at >= static_cast<long long>(kDataBytesPerLine))) {
            long long stop = std::min(end, at + static_cast<long long>(kDataBytesPerLine));
            if (std::optional<long long> label = names_.NextLabelAfter(at); label && *label < stop)
                stop = *label;
            std::string line(bytes.begin() + (at - start), bytes.begin() + (stop - start));
            std::string text = "DB ";
            for (size_t i = 0; i < line.size(); ++i)
                text += (i ? ",0x" : "0x") + Hex(static_cast<unsigned char>(line[i]), 2);
            Line({at, line, text});
            at = stop;
        }
        return static_cast<size_t>(at - start);
    }

    void Labels(long long address) {
        for (const auto& [name, usable] : names_.TakeLabelsAt(address)) {
            if (out_)
                *out_ << (usable ? "" : "; ") << name << ":\n";
        }
    }

    void Line(const DisassembledLine& line) {
        Labels(line.address);
        if (!out_)
            return;
        if (form_ == DisassemblyForm::kListing) {
            *out_ << AddressAndBytes(line) << line.text << "\n";
            return;
        }
        std::string text = "        " + line.text;
        text.resize(std::max(text.size() + 1, kCommentColumn), ' ');
        *out_ << text << "; " << Hex(line.address, 6) << "  " << HexBytes(line.bytes) << "\n";
    }

    Names& names_;
    DisassemblyForm form_;
    std::ostream* out_;
    std::vector<unsigned char> buffer_;
};

}  // namespace

std::vector<LocatedRuns::Extent> RunsInMemory::Extents() const {
    std::vector<Extent> extents;
    for (const LoadedBytes& run : runs_)
        extents.push_back({run.address, run.bytes.size()});
    return extents;
}

Status RunsInMemory::Read(size_t run, size_t offset, std::span<unsigned char> into) {
    std::copy_n(runs_[run].bytes.begin() + static_cast<std::ptrdiff_t>(offset), into.size(),
                into.begin());
    return Status::Ok();
}

Status WriteDisassembly(LocatedRuns& runs, const DisassemblyNames& names, DisassemblyForm form,
                        std::ostream& out) {
    Names known(names);
    std::vector<Piece> pieces = Pieces(runs.Extents(), names.map);
    auto walk = [&pieces, &runs](Walk& walk) {
        for (size_t i = 0; i < pieces.size(); ++i) {
            bool nextFollows = i + 1 < pieces.size() && pieces[i + 1].start == pieces[i].End();
            if (Status read = walk.Piece(runs, pieces[i], nextFollows); !read)
                return read;
        }
        return Status::Ok();
    };
    Walk learn(known, form, nullptr);
    if (Status read = walk(learn); !read)
        return read;
    if (form == DisassemblyForm::kSource) {
        out << "$CASE ON\n";
        for (const auto& [name, value] : known.Undefined())
            out << name << " equ " << Hex6(value) << "\n";
    }
    known.ForgetPrinted();
    Walk print(known, form, &out);
    return walk(print);
}

void WriteDisassembly(const std::vector<LoadedBytes>& runs, const DisassemblyNames& names,
                      DisassemblyForm form, std::ostream& out) {
    RunsInMemory inMemory(runs);
    (void)WriteDisassembly(inMemory, names, form, out);
}

}  // namespace cuffware::toolchain
