#pragma once
// The source and every file it includes, read as the lines the assembler
// goes through: each INCLUDE line replaced by the lines of the file it
// names. Bounded: INCLUDE nests at most kMaxIncludeDepth deep, and all the
// files of a run hold at most kMaxSourceLines lines and kMaxSourceBytes
// bytes.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "toolchain/assembler/assembler.h"
#include "toolchain/assembler/source_text.h"

namespace cuffware::toolchain {

constexpr int kMaxIncludeDepth = 16;
constexpr size_t kMaxSourceLines = 1 << 18;  // INCLUDE lines counted
constexpr size_t kMaxSourceBytes = 64 << 20;

// A file read, and the line that included it (none for the source itself).
struct SourceFile {
    std::string name;  // as written
    std::optional<size_t> includedFrom;
    int includedAtLine = 0;
};

class SourceFiles {
  public:
    // A line that could not be read as it stands: an INCLUDE without a
    // path, a file it names that cannot be read, a bound reached.
    struct Problem {
        SourceLine line;
        std::string reason;
    };

    explicit SourceFiles(const SourceReader& read) : read_(read) {}

    void Load(const std::string& sourceName) { Load(sourceName, nullptr, 0); }

    const std::vector<SourceFile>& Files() const { return files_; }
    const std::vector<SourceLine>& Lines() const { return lines_; }
    const std::vector<Problem>& Problems() const { return problems_; }
    // Why the source itself gives no text.
    const std::optional<std::string>& SourceFailure() const { return sourceFailure_; }
    // Whether a bound stopped the reading (the lines are then not complete).
    bool Stopped() const { return stopped_; }

    // "common.asm:3".
    std::string Where(size_t file, int number) const;

    // The INCLUDE lines that led to the line's file, innermost first.
    std::vector<std::string> IncludedFrom(const SourceLine& line) const;

  private:
    void Load(const std::string& pathText, const SourceLine* includedFrom, int depth);
    void Refuse(const SourceLine& line, std::string reason);
    void Stop(const SourceLine& line, std::string reason);

    const SourceReader& read_;
    std::vector<SourceFile> files_;
    std::deque<std::string> texts_;  // each file's text, which its lines view
    std::vector<SourceLine> lines_;
    std::vector<Problem> problems_;
    std::optional<std::string> sourceFailure_;
    bool stopped_ = false;
    size_t bytesRead_ = 0;
    size_t linesRead_ = 0;
};

}  // namespace cuffware::toolchain
