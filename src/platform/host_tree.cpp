#include "platform/host_tree.h"

#include <filesystem>
#include <system_error>

namespace cuffware {

namespace fs = std::filesystem;

namespace {

Status Failed(const std::string& path, const std::string& what, const std::error_code& error) {
    return Diagnostic{path, 0, what + error.message()};
}

}  // namespace

Status RequireEmptyDirectory(const std::string& dir) {
    std::error_code error;
    fs::file_status status = fs::symlink_status(dir, error);
    if (status.type() == fs::file_type::not_found)
        return Status::Ok();
    if (error)
        return Failed(dir, "cannot be examined: ", error);
    if (status.type() != fs::file_type::directory)
        return Diagnostic{dir, 0, "is not a directory"};
    if (!fs::is_empty(dir, error) || error)
        return Diagnostic{dir, 0, "is not empty; the demo lays itself out in a new or empty one"};
    return Status::Ok();
}

// File by file: MinGW's std::filesystem::copy takes two directories of one
// Windows drive for the same one (it compares device and inode numbers, and
// Windows reports no inode) and refuses the copy.
Status CopyTree(const std::string& fromDir, const std::string& toDir) {
    std::error_code error;
    fs::create_directories(toDir, error);
    if (error)
        return Failed(toDir, "cannot create directory: ", error);
    fs::recursive_directory_iterator entry(fromDir, error), end;
    for (; !error && entry != end; entry.increment(error)) {
        fs::path to = fs::path(toDir) / entry->path().lexically_relative(fromDir);
        if (entry->is_directory(error))
            fs::create_directories(to, error);
        else if (!error)
            fs::copy_file(entry->path(), to, fs::copy_options::overwrite_existing, error);
        if (error)
            return Failed(entry->path().string(), "cannot copy: ", error);
    }
    if (error)
        return Failed(fromDir, "cannot copy: ", error);
    return Status::Ok();
}

Status CopyOneFile(const std::string& from, const std::string& to, bool executable) {
    std::error_code error;
    fs::create_directories(fs::path(to).parent_path(), error);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        return Failed(from, "cannot copy: ", error);
    if (executable) {
        fs::permissions(to, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add, error);
        if (error)
            return Failed(to, "cannot make executable: ", error);
    }
    return Status::Ok();
}

Status LinkWineDrive(const std::string& prefix, char letter, const std::string& target) {
    std::error_code error;
    fs::path devices = fs::path(prefix) / "dosdevices";
    fs::create_directories(devices, error);
    if (error)
        return Failed(devices.string(), "cannot create directory: ", error);
    fs::path link = devices / (std::string(1, letter) + ":");
    fs::remove(link, error);
    fs::create_directory_symlink(target, link, error);
    if (error)
        return Failed(link.string(), "cannot link the drive: ", error);
    return Status::Ok();
}

Status MakeDirectories(const std::string& dir) {
    std::error_code error;
    fs::create_directories(dir, error);
    if (error)
        return Failed(dir, "cannot create directory: ", error);
    return Status::Ok();
}

}  // namespace cuffware
