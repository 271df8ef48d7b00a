#include "app/build_directory_lock.h"

#include <string>

#include "generate/generated_file.h"
#include "package/package_commit.h"
#include "package/package_names.h"

namespace cuffware {

std::optional<RunLock> HoldBuildDirectory(Workbench& bench, std::string_view action) {
    Result<RunLock> lock = LockRun(BuildDirectoryFile(bench.project, kRunLockName),
                                   std::string(action), bench.RunLockPatienceMs);
    if (lock)
        return std::move(*lock);
    bench.user.ShowMessage("The build directory is in use by another run.\n" + lock.error().Text(),
                           MessageIcon::Critical);
    return std::nullopt;
}

bool RecoverPackageOfProject(Workbench& bench) {
    const ProjectRecord& project = bench.project;
    Status recovered = RecoverPackage(bench.files, project.BuildDirectory, PackagePaths(project));
    if (!recovered)
        bench.user.ShowMessage("The package an interrupted run left could not be completed.\n" +
                                   recovered.error().Text(),
                               MessageIcon::Critical);
    return recovered.ok();
}

}  // namespace cuffware
