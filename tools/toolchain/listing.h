#pragma once
// The assembler's listing: each source line with its line number, the
// address it lands at and the bytes it gives (four a row, more on rows of
// their own, at most 64 and then how many in all), under a heading for each
// file as the lines move into it.
//   ; FILE clock.asm
//        12  010034  CE 40 05     LD A,[IX+5]

#include <optional>
#include <string>
#include <string_view>

#include "project/text_file.h"

namespace cuffware::toolchain {

class Listing {
  public:
    void Add(const std::string& file, int line, std::optional<long long> address,
             std::string_view bytes, std::string_view text);

    const std::string& Text() const { return file_.Text(); }

  private:
    TextFile file_;
    std::optional<std::string> lastFile_;
};

}  // namespace cuffware::toolchain
