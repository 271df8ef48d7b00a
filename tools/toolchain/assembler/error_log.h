#pragma once
// The messages of one assembly, kept as the two passes meet them and given
// back in the order of the source's lines: one a line (the second pass may
// meet the first pass's error again, or say it with more to it).

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "toolchain/assembler/assembler.h"

namespace cuffware::toolchain {

class ErrorLog {
  public:
    // A message about a line: order is the line's place in the source, and
    // order, number and text tell the line apart from every other one.
    void Add(size_t order, int number, const std::string& text, SourceMessage message);

    // A message about the file as a whole, after the lines' messages.
    void AddForFile(SourceMessage message);

    size_t Errors() const { return errors_; }
    bool Full() const { return errors_ >= kMaxReportedErrors; }

    std::vector<SourceMessage> InLineOrder() const;

  private:
    struct Entry {
        size_t order;
        SourceMessage message;
    };

    std::vector<Entry> entries_;
    std::map<std::tuple<size_t, int, std::string>, size_t> byLine_;  // to the index in entries_
    size_t errors_ = 0;
};

}  // namespace cuffware::toolchain
