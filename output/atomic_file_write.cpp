#include "output/atomic_file_write.h"

#include <cerrno>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Closes the descriptor and removes the temporary file unless the rename took it over.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  std::error_code Create(const std::filesystem::path& target) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate = target;
      candidate += ".tmp-" + std::to_string(random() % 1000000000ULL);
      const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        fd_ = fd;
        path_ = candidate;
        return {};
      }
      if (errno != EEXIST) return LastError();
    }
    return std::make_error_code(std::errc::file_exists);
  }

  int fd() const { return fd_; }
  const std::filesystem::path& path() const { return path_; }

  std::error_code Close() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return LastError();
    return {};
  }

  void Release() { path_.clear(); }

 private:
  int fd_ = -1;
  std::filesystem::path path_;
};

std::error_code WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code SyncDirectory(const std::filesystem::path& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LastError();
  std::error_code error;
  if (::fsync(fd) != 0) error = LastError();
  ::close(fd);
  return error;
}

}  // namespace

std::error_code WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
  if (path.filename().empty()) return std::make_error_code(std::errc::invalid_argument);
  std::filesystem::path directory = path.parent_path();
  if (directory.empty()) directory = ".";

  // Renaming a file over a directory fails only after all the writing; refuse early.
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return std::make_error_code(std::errc::is_a_directory);

  TemporaryFile temporary;
  if (std::error_code error = temporary.Create(path)) return error;
  if (exists && ::fchmod(temporary.fd(), existing.st_mode & 07777) != 0) return LastError();
  if (std::error_code error = WriteAll(temporary.fd(), bytes)) return error;
  if (::fsync(temporary.fd()) != 0) return LastError();
  if (std::error_code error = temporary.Close()) return error;
  if (::rename(temporary.path().c_str(), path.c_str()) != 0) return LastError();
  temporary.Release();
  return SyncDirectory(directory);
}

}  // namespace quill
