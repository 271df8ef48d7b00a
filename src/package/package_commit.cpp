#include "package/package_commit.h"

#include <algorithm>

#include "platform/path_text.h"
#include "platform/text_file.h"
#include "platform/text_rules.h"

namespace cuffware {

namespace {

constexpr std::string_view kJournalHeader = "cuffware package journal";
constexpr std::string_view kJournalEnd = "end";
constexpr std::string_view kBackupSuffix = ".cuffware-old";
constexpr size_t kMaxJournalBytes = 64 << 10;
constexpr std::string_view kTemporaryEnding = kTemporarySuffix;

std::string InDirectory(const std::string& directory, std::string_view name) {
    return JoinPath(Trimmed(directory), name);
}

std::string BackupOf(const std::string& pathText) {
    return pathText + std::string(kBackupSuffix);
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string_view::npos && !HasControlByte(name);
}

// One file of the package that has taken its name, and whether a previous
// file was kept aside for it.
struct Replaced {
    std::string path;
    bool hadPrevious = false;
};

// Puts back the files already replaced, last first: the previous file where
// there was one, else none. Returns what could not be put back, one line each.
std::string PutBack(FileSystem& files, const std::vector<Replaced>& replaced) {
    std::string failures;
    for (auto it = replaced.rbegin(); it != replaced.rend(); ++it) {
        Status undone = it->hadPrevious ? files.Rename(BackupOf(it->path), it->path)
                                        : files.RemoveFile(it->path);
        if (!undone)
            failures += "\n" + undone.error().Text() + " (the previous file was not put back)";
    }
    return failures;
}

// A move a journal may hold: a file of the package, by its own name, not
// named before, and its temporary file "NAME.TAG.cuffware-new".
bool IsPackageMove(const PackageMove& move, const std::vector<std::string>& packageNames,
                   const std::vector<PackageMove>& before) {
    const bool ofPackage =
        std::find(packageNames.begin(), packageNames.end(), move.final) != packageNames.end();
    const bool repeated = std::any_of(before.begin(), before.end(), [&](const PackageMove& other) {
        return other.final == move.final;
    });
    const std::string stem = move.final + ".";
    const bool itsTemporary = IsPlainFileName(move.temporary) &&
                              move.temporary.size() > stem.size() + kTemporaryEnding.size() &&
                              move.temporary.starts_with(stem) &&
                              move.temporary.ends_with(kTemporaryEnding);
    return ofPackage && !repeated && itsTemporary;
}

std::vector<std::string> FileNamesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& path : paths)
        names.emplace_back(FileNameOf(path));
    return names;
}

// The new package's files take their names from the temporary files still
// there, the names go to the disk, and only then are the backups of the
// previous package deleted, the journal last: killed at any step, the next
// run finds the journal and completes the same package.
Status CompleteFromJournal(FileSystem& files, const std::string& buildDirectory,
                           const std::string& journal,
                           const std::vector<std::string>& packagePaths) {
    Result<std::string> text = files.ReadFile(journal, kMaxJournalBytes);
    if (!text)
        return text.error();
    Result<std::vector<PackageMove>> moves =
        ParsePackageJournal(*text, journal, FileNamesOf(packagePaths));
    if (!moves)
        return moves.error();
    for (const PackageMove& move : *moves) {
        const std::string temporary = InDirectory(buildDirectory, move.temporary);
        if (!files.Exists(temporary))
            continue;  // it took its name before the interruption
        if (Status moved = files.Rename(temporary, InDirectory(buildDirectory, move.final)); !moved)
            return moved;
    }
    if (Status flushed = files.FlushDirectory(buildDirectory); !flushed)
        return flushed;
    for (const std::string& path : packagePaths)
        if (files.Exists(BackupOf(path)))
            if (Status removed = files.RemoveFile(BackupOf(path)); !removed)
                return removed;
    return files.RemoveFile(journal);
}

}  // namespace

std::string PackageJournalText(const std::vector<PackageMove>& moves) {
    TextFile file;
    file.Line(kJournalHeader);
    for (const PackageMove& move : moves) {
        file.Line(move.temporary);
        file.Line(move.final);
    }
    file.Line(kJournalEnd);
    return file.Text();
}

Result<std::vector<PackageMove>> ParsePackageJournal(std::string_view text,
                                                     const std::string& pathText,
                                                     const std::vector<std::string>& packageNames) {
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.size() < 2 || lines.front() != kJournalHeader || lines.back() != kJournalEnd ||
        lines.size() % 2 != 0)
        return Diagnostic{pathText, 0, "damaged package journal; delete it to go on"};
    std::vector<PackageMove> moves;
    for (size_t i = 1; i + 1 < lines.size(); i += 2) {
        PackageMove move{std::string(lines[i]), std::string(lines[i + 1])};
        if (!IsPackageMove(move, packageNames, moves))
            return Diagnostic{pathText, static_cast<int>(i) + 1,
                              "the package journal names \"" + ControlBytesEscaped(lines[i]) +
                                  "\" and \"" + ControlBytesEscaped(lines[i + 1]) +
                                  "\", which are not a file of this package and its temporary "
                                  "file; nothing was moved"};
        moves.push_back(std::move(move));
    }
    return moves;
}

Status CommitPackage(FileSystem& files, const std::string& buildDirectory,
                     const std::vector<GeneratedFile>& package) {
    // Something at a package file's name that cannot be opened is not
    // replaced, and nothing is written.
    std::vector<bool> hadPrevious;
    for (const GeneratedFile& file : package) {
        Result<bool> present = files.Present(file.path);
        if (!present)
            return present.error();
        hadPrevious.push_back(*present);
    }
    std::vector<std::string> temporaries;
    auto discardTemporaries = [&](size_t from) {
        for (size_t i = from; i < temporaries.size(); ++i)
            (void)files.RemoveFile(temporaries[i]);
    };
    std::vector<PackageMove> moves;
    for (const GeneratedFile& file : package) {
        Result<std::string> temporary = files.WriteTemporary(file.path, file.content);
        if (!temporary) {
            discardTemporaries(0);
            return temporary.error();
        }
        temporaries.push_back(*temporary);
        moves.push_back({std::string(FileNameOf(*temporary)), std::string(FileNameOf(file.path))});
    }

    // Once the journal is on disk (with the temporary files' names, which
    // share its directory) the new package counts as written: an interrupted
    // run is completed by the next one.
    const std::string journal = InDirectory(buildDirectory, kPackageJournalName);
    if (Status noted = files.WriteFile(journal, PackageJournalText(moves)); !noted) {
        discardTemporaries(0);
        return noted;
    }

    std::vector<Replaced> replaced;
    for (size_t i = 0; i < package.size(); ++i) {
        const std::string& path = package[i].path;
        Status moved = hadPrevious[i] ? files.Rename(path, BackupOf(path)) : Status::Ok();
        if (moved) {
            moved = files.Rename(temporaries[i], path);
            if (!moved && hadPrevious[i])
                (void)files.Rename(BackupOf(path), path);
        }
        if (!moved) {
            // Without the journal an interruption from here on rolls back.
            (void)files.RemoveFile(journal);
            (void)files.FlushDirectory(buildDirectory);
            discardTemporaries(i);
            Diagnostic failure{path, 0, moved.error().message + PutBack(files, replaced)};
            (void)files.FlushDirectory(buildDirectory);
            return failure;
        }
        replaced.push_back({path, hadPrevious[i]});
    }
    // The new names go to the disk before anything that would make a later
    // run roll back: the backups, then the journal, are deleted only then.
    if (Status flushed = files.FlushDirectory(buildDirectory); !flushed)
        return flushed;
    for (const Replaced& file : replaced)
        if (file.hadPrevious)
            (void)files.RemoveFile(BackupOf(file.path));
    return files.RemoveFile(journal);
}

Status RecoverPackage(FileSystem& files, const std::string& buildDirectory,
                      const std::vector<std::string>& packagePaths) {
    const std::string journal = InDirectory(buildDirectory, kPackageJournalName);
    Result<bool> journalThere = files.Present(journal);
    if (!journalThere)
        return journalThere.error();
    if (*journalThere) {
        if (Status completed = CompleteFromJournal(files, buildDirectory, journal, packagePaths);
            !completed)
            return completed;
    } else {
        bool restored = false;
        for (const std::string& path : packagePaths) {
            if (!files.Exists(BackupOf(path)))
                continue;
            if (Status putBack = files.Rename(BackupOf(path), path); !putBack)
                return putBack;
            restored = true;
        }
        if (restored)
            if (Status flushed = files.FlushDirectory(buildDirectory); !flushed)
                return flushed;
    }
    files.DeleteMatching(buildDirectory, "*.cuffware-new");
    files.DeleteMatching(buildDirectory, "*" + std::string(kBackupSuffix));
    return Status::Ok();
}

}  // namespace cuffware
