#pragma once
// Text files as the builder writes them: lines ending in CR LF, composed in
// memory and handed whole to the file system.

#include <string>
#include <string_view>
#include <vector>

namespace cuffware {

class TextFile {
  public:
    // Appends one line and its CR LF.
    void Line(std::string_view text = {});

    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// The lines of a text: split at LF, a CR before the LF dropped. A last line
// without a line end counts; an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace cuffware
