#include "app/actions/start_downloader.h"

#include "app/actions/build_directory_lock.h"
#include "app/actions/status_texts.h"
#include "platform/text_rules.h"
#include "project/build_files.h"

namespace cuffware {

namespace {

void ReportNotStarted(Workbench& bench, const Diagnostic& failure) {
    bench.user.ShowMessage("The downloader could not be started.\n" + failure.Text(),
                           MessageIcon::Critical);
}

// A path with a blank in it is one word between double quotes.
std::string CommandWord(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

}  // namespace

std::string DownloaderCommandLine(const Workbench& bench) {
    return CommandWord(ProgramPath(Trimmed(bench.settings.SdkPath), kDownloaderProgram)) + " " +
           CommandWord(BuildDirectoryFile(bench.project,
                                          DescriptorName(Trimmed(bench.project.FolderName))));
}

bool StartDownloader(Workbench& bench) {
    if (!FolderNamed(bench))
        return false;
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return false;
    if (Status started = bench.processes.StartConsoleCommandLine(DownloaderCommandLine(bench),
                                                                 kDownloaderWindowTitle);
        !started) {
        ReportNotStarted(bench, started.error());
        return false;
    }
    return true;
}

std::optional<int> RunDownloaderAndWait(Workbench& bench) {
    if (!FolderNamed(bench))
        return std::nullopt;
    std::optional<BuildDirectoryHold> held = HoldBuildDirectory(bench);
    if (!held)
        return std::nullopt;
    Result<int> status = bench.processes.RunCommandLine(DownloaderCommandLine(bench));
    if (!status) {
        ReportNotStarted(bench, status.error());
        return std::nullopt;
    }
    return *status;
}

}  // namespace cuffware
