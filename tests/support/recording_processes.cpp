#include "support/recording_processes.h"

namespace cuffware::testing {

namespace {

Result<int> Record(RecordingProcesses& p, const std::string& entry, const std::string& what) {
    p.started.push_back(entry);
    if (!p.failWith.empty())
        return Diagnostic{what, 0, p.failWith};
    return p.exitStatus;
}

Status AsStatus(const Result<int>& r) {
    return r.ok() ? Status::Ok() : Status(r.error());
}

}  // namespace

Status RecordingProcesses::StartBatch(const std::string& path) {
    return AsStatus(Record(*this, "batch " + path, path));
}
Result<int> RecordingProcesses::RunBatch(const std::string& path) {
    return Record(*this, "batch " + path, path);
}
Status RecordingProcesses::StartCommandLine(const std::string& line) {
    return AsStatus(Record(*this, "command " + line, line));
}
Result<int> RecordingProcesses::RunCommandLine(const std::string& line) {
    return Record(*this, "command " + line, line);
}

}  // namespace cuffware::testing
