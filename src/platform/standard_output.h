#pragma once
// A report that must have standard output to itself (--json): while an
// OutputToStandardError lives, what this process and the programs it starts
// write to standard output goes to standard error instead.

namespace cuffware {

class OutputToStandardError {
  public:
    OutputToStandardError();
    ~OutputToStandardError();
    OutputToStandardError(const OutputToStandardError&) = delete;
    OutputToStandardError& operator=(const OutputToStandardError&) = delete;

  private:
    int saved_;  // the descriptor standard output had, or -1
};

}  // namespace cuffware
