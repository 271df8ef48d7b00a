#include "routine_tests/test_report.h"

#include "platform/text_rules.h"

namespace cuffware {

namespace {

struct Counts {
    int passed = 0;
    int failed = 0;
};

Counts CountOf(const std::vector<TestFileOutcomes>& files) {
    Counts counts;
    for (const TestFileOutcomes& file : files)
        for (const TestOutcome& outcome : file.outcomes)
            ++(outcome.passed ? counts.passed : counts.failed);
    return counts;
}

std::string CountsText(const Counts& counts) {
    return std::to_string(counts.passed) + " passed, " + std::to_string(counts.failed) + " failed";
}

std::string JsonList(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (const std::string& text : texts)
        json += (json.size() > 1 ? "," : "") + JsonString(text);
    return json + "]";
}

}  // namespace

std::string TestReportText(const std::vector<TestFileOutcomes>& files) {
    std::string text;
    for (const TestFileOutcomes& file : files) {
        for (const TestOutcome& outcome : file.outcomes) {
            if (outcome.passed) {
                text +=
                    "PASS " + outcome.name + " (" + std::to_string(outcome.cycles) + " cycles)\n";
                continue;
            }
            text += "FAIL " + outcome.name + ": ";
            for (size_t i = 0; i < outcome.failures.size(); ++i)
                text += (i ? "; " : "") + outcome.failures[i];
            text += "\n";
            for (const std::string& line : outcome.trace)
                text += "    " + line + "\n";
        }
    }
    return text + CountsText(CountOf(files)) + "\n";
}

std::string TestReportJson(const std::vector<TestFileOutcomes>& files) {
    std::string json = "{\"tests\":[";
    bool first = true;
    for (const TestFileOutcomes& file : files) {
        for (const TestOutcome& outcome : file.outcomes) {
            json += std::string(first ? "" : ",") + "{\"file\":" + JsonString(file.path) +
                    ",\"name\":" + JsonString(outcome.name) +
                    ",\"passed\":" + (outcome.passed ? "true" : "false") +
                    ",\"cycles\":" + std::to_string(outcome.cycles) +
                    ",\"failures\":" + JsonList(outcome.failures) +
                    ",\"trace\":" + JsonList(outcome.trace) + "}";
            first = false;
        }
    }
    Counts counts = CountOf(files);
    return json + "],\"passed\":" + std::to_string(counts.passed) +
           ",\"failed\":" + std::to_string(counts.failed) + "}";
}

bool AllPassed(const std::vector<TestFileOutcomes>& files) {
    return CountOf(files).failed == 0;
}

}  // namespace cuffware
