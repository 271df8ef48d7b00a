#pragma once
// The package's files (code image, parameter image, description) replace the
// previous ones as one, even when the run is killed or the power fails
// part-way. Each new file is first written completely to a temporary file
// beside its name. Then a journal, "cuffware-package.journal" in the build
// directory, names every temporary file and the file it becomes; once it is
// on disk the package counts as written. The temporary files then take their
// names one by one, the files they replace are kept aside until all have
// and the new names are on the disk; then the kept-aside files are deleted,
// and the journal last.
//
// After an interruption, RecoverPackage finishes the work: with a journal,
// every temporary file still there takes its name, the kept-aside files are
// deleted and then the journal (the new package); without one, the files
// kept aside take their names back and the temporary files are deleted (the
// previous package). The repair keeps the same order, so a repair that is
// itself interrupted is finished by the next run. Every action that holds the build
// directory runs it first (app/build_directory_lock.h).

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/result.h"
#include "project/build_files.h"

namespace cuffware {

inline constexpr const char* kPackageJournalName = "cuffware-package.journal";

// The file names a journal holds, and the journal's text.
struct PackageMove {
    std::string temporary;  // a file name in the build directory
    std::string final;      // likewise
    bool operator==(const PackageMove&) const = default;
};
std::string PackageJournalText(const std::vector<PackageMove>& moves);
// Refuses a damaged journal, and any move but of a file named in
// packageNames (each at most once) from its own temporary file
// ("NAME.TAG.cuffware-new"): a journal can move nothing else.
Result<std::vector<PackageMove>> ParsePackageJournal(std::string_view text,
                                                     const std::string& pathText,
                                                     const std::vector<std::string>& packageNames);

// Writes the package's files (all in buildDirectory) as one. When a file
// cannot be written, or cannot take its name, nothing of the new package
// stays: the files already replaced get their previous ones back (or are
// deleted when there were none). The failure names the file and the reason,
// with a further line for each file that could not be put back.
Status CommitPackage(FileSystem& files, const std::string& buildDirectory,
                     const std::vector<GeneratedFile>& package);

// Completes an interrupted commit or rolls it back, as above, and deletes
// what an interrupted write left in buildDirectory (files named
// *.cuffware-new or *.cuffware-old). packagePaths are the package's files,
// whose previous versions a rollback puts back. Nothing to do is success.
Status RecoverPackage(FileSystem& files, const std::string& buildDirectory,
                      const std::vector<std::string>& packagePaths);

}  // namespace cuffware
