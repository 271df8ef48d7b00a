#pragma once
// A fresh directory for one test, removed with everything in it afterwards.

#include <string>

namespace cuffware::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    // Writes a file below the directory (parents created).
    void Write(const std::string& relative, const std::string& content) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

  private:
    std::string path_;
};

}  // namespace cuffware::testing
