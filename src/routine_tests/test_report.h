#pragma once
// What `cuffware test` prints about the tests it ran: a line per test (a
// failure followed by the last instructions it ran), then the counts; or
// the same as one JSON object for scripts.

#include <string>
#include <vector>

#include "routine_tests/test_run.h"

namespace cuffware {

struct TestFileOutcomes {
    std::string path;  // the test file, as the report names it
    std::vector<TestOutcome> outcomes;
};

// "PASS name (N cycles)" or "FAIL name: expected ..., seen ..." and the
// traced instructions indented below it; the last line "N passed, M failed".
std::string TestReportText(const std::vector<TestFileOutcomes>& files);

// {"tests":[{"file","name","passed","cycles","failures","trace"}...],
//  "passed":N,"failed":M}
std::string TestReportJson(const std::vector<TestFileOutcomes>& files);

// True when every test passed.
bool AllPassed(const std::vector<TestFileOutcomes>& files);

}  // namespace cuffware
