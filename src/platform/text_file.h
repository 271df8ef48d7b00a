#pragma once
// Text files as the builder writes them: lines ending in CR LF, composed in
// memory and handed whole to the file system.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cuffware {

class TextFile {
  public:
    // Appends one line and its CR LF.
    void Line(std::string_view text = {});

    // Room for a text of about bytes, for one whose size is known ahead.
    void Reserve(size_t bytes) { text_.reserve(bytes); }

    const std::string& Text() const { return text_; }
    // The text, moved out: the file is empty after.
    std::string TakeText() { return std::move(text_); }

  private:
    std::string text_;
};

// The lines of a text as SplitLines cuts them, one at a time, for a text
// too long to hold a list of its lines.
class TextLines {
  public:
    explicit TextLines(std::string_view text) : rest_(text) {}

    // The next line into line; false after the last.
    bool Next(std::string_view& line);

    // The text not read yet, and a reader's way past the first size
    // characters of it (a line it read itself, with its line end).
    std::string_view Rest() const { return rest_; }
    void Skip(size_t size) { rest_.remove_prefix(size); }

  private:
    std::string_view rest_;
};

// The lines of a text: split at LF, a CR before the LF dropped. A last line
// without a line end counts; an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace cuffware
