#pragma once

#include <optional>
#include <string>

#include "app/actions/workbench.h"

namespace cuffware {

// SdkPath trimmed + "\bin\CuffwareDL.exe " + BuildDirectory trimmed + "\" +
// FolderName trimmed + ".app", with no quotes added.
std::string DownloaderCommandLine(const Workbench& bench);

// The title of the downloader's own window off Windows.
inline constexpr const char* kDownloaderWindowTitle = "Cuffware Downloader";

// "Cuffware Downloader": starts the downloader on the descriptor without
// waiting, in a window of its own that takes the focus and stays until it
// is closed. Returns true when it was started.
bool StartDownloader(Workbench& bench);

// The same, waiting; the downloader's exit status, or nothing after a
// refusal or a failure to start.
std::optional<int> RunDownloaderAndWait(Workbench& bench);

}  // namespace cuffware
