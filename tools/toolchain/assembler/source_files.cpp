#include "toolchain/assembler/source_files.h"

#include <algorithm>
#include <cctype>

#include "platform/text_file.h"
#include "toolchain/assembler/quoted_text.h"
#include "toolchain/assembler/source_line.h"

namespace cuffware::toolchain {

namespace {

// Why a file named in the source (or the source itself) gives no text.
std::string ReadFailure(const std::string& pathText, const Diagnostic& failure, bool included) {
    std::string what = included ? "include file " + Quoted(pathText) : "source file";
    std::string lookedFor = " (looked for " + failure.path + ")";
    if (failure.message.starts_with("cannot open"))
        return "cannot open " + what + lookedFor;
    std::string reason = failure.message;
    if (reason.starts_with("cannot read: "))
        reason.erase(0, std::string_view("cannot read: ").size());
    if (!reason.empty())
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return "cannot read " + what + lookedFor + ": " + reason;
}

// At most the number of lines TextLines gives: one a line end, and a last
// line without one.
size_t LineCount(std::string_view text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

}  // namespace

std::string SourceFiles::Where(size_t file, int number) const {
    return files_[file].name + ":" + std::to_string(number);
}

std::vector<std::string> SourceFiles::IncludedFrom(const SourceLine& line) const {
    std::vector<std::string> chain;
    for (const SourceFile* file = &files_[line.file]; file->includedFrom;
         file = &files_[*file->includedFrom])
        chain.push_back(Where(*file->includedFrom, file->includedAtLine));
    return chain;
}

// The report stops at kMaxReportedErrors; so does the reading.
void SourceFiles::Refuse(const SourceLine& line, std::string reason) {
    problems_.push_back({line, std::move(reason)});
    stopped_ = problems_.size() >= kMaxReportedErrors;
}

void SourceFiles::Stop(const SourceLine& line, std::string reason) {
    problems_.push_back({line, std::move(reason)});
    stopped_ = true;
}

void SourceFiles::Load(const std::string& pathText, const SourceLine* includedFrom, int depth) {
    if (depth > kMaxIncludeDepth)
        return Refuse(*includedFrom,
                      "INCLUDE nested more than " + std::to_string(kMaxIncludeDepth) + " deep");
    Result<std::string> content = read_(pathText);
    if (!content) {
        std::string reason = ReadFailure(pathText, content.error(), includedFrom != nullptr);
        if (includedFrom)
            Refuse(*includedFrom, std::move(reason));
        else
            sourceFailure_ = std::move(reason);
        return;
    }
    bytesRead_ += content->size();
    if (bytesRead_ > kMaxSourceBytes && includedFrom)
        return Stop(*includedFrom, "the source and its INCLUDE files hold more than " +
                                       std::to_string(kMaxSourceBytes) + " bytes");
    size_t file = files_.size();
    files_.push_back(includedFrom ? SourceFile{pathText, includedFrom->file, includedFrom->number}
                                  : SourceFile{pathText, std::nullopt, 0});
    const std::string& text = texts_.emplace_back(std::move(*content));
    int number = 0;
    // Room for the file's lines at once: a vector that doubles as it grows
    // touches twice the memory, and a quarter million lines are 13 MB. The
    // lines are counted, not listed: a list of them would be 4 MB more.
    if (size_t needed = lines_.size() + LineCount(text); needed > lines_.capacity())
        lines_.reserve(std::max(needed, 2 * lines_.capacity()));
    TextLines lines(text);
    for (std::string_view lineText; lines.Next(lineText);) {
        SourceLine line{static_cast<uint32_t>(file), ++number, lineText.data(),
                        static_cast<uint32_t>(lineText.size()),
                        static_cast<uint32_t>(lines_.size())};
        if (++linesRead_ > kMaxSourceLines)
            return Stop(line, "the source and its INCLUDE files hold more than " +
                                  std::to_string(kMaxSourceLines) + " lines");
        Result<std::optional<std::string>> included = IncludedPath(lineText);
        if (!included) {
            Refuse(line, included.error().message);
            if (stopped_)
                return;
            continue;
        }
        if (!*included) {
            lines_.push_back(std::move(line));
            continue;
        }
        Load(**included, &line, depth + 1);
        if (stopped_)
            return;
    }
}

}  // namespace cuffware::toolchain
