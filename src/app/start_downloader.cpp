#include "app/start_downloader.h"

#include "app/build_directory_lock.h"
#include "app/status_texts.h"
#include "project/build_files.h"
#include "project/text_rules.h"

namespace cuffware {

namespace {

void ReportNotStarted(Workbench& bench, const Diagnostic& failure) {
    bench.user.ShowMessage("The downloader could not be started.\n" + failure.Text(),
                           MessageIcon::Critical);
}

}  // namespace

std::string DownloaderCommandLine(const Workbench& bench) {
    return Trimmed(bench.settings.SdkPath) + "\\bin\\CuffwareDL.exe " +
           BuildDirectoryFile(bench.project, DescriptorName(Trimmed(bench.project.FolderName)));
}

bool StartDownloader(Workbench& bench) {
    if (!FolderNamed(bench))
        return false;
    std::optional<RunLock> held = HoldBuildDirectory(bench);
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
    std::optional<RunLock> held = HoldBuildDirectory(bench);
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
