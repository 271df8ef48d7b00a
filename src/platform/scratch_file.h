#pragma once
// A host path for a file another program writes and we read back, in a new
// directory of its own under the system's temporary directory; the
// directory and whatever is in it go when the object goes.

#include <string>

namespace cuffware {

class ScratchFile {
  public:
    // name: the file's name inside the new directory. When no directory can
    // be made, path() is empty.
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string directory_;
    std::string path_;
};

}  // namespace cuffware
