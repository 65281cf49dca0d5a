#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quill::testing {

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// The names in a directory, sorted.
std::vector<std::string> ListNames(const std::filesystem::path& directory);

}  // namespace quill::testing
