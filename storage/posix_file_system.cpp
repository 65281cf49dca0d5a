#include "storage/file_system.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace {

FileIdentity IdentityOf(const struct stat& st) {
  FileIdentity identity;
  identity.device = static_cast<std::uint64_t>(st.st_dev);
  identity.inode = static_cast<std::uint64_t>(st.st_ino);
  identity.size = static_cast<std::uint64_t>(st.st_size);
  identity.modified_ns =
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return identity;
}

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }

  bool ReadAt(std::uint64_t offset, std::span<std::byte> out) override {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t n =
          ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool WriteAt(std::uint64_t offset, std::span<const std::byte> data) override {
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t n =
          ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool CopyFrom(File& source, std::uint64_t source_offset, std::uint64_t offset,
                std::uint64_t length) override {
    auto* posix = dynamic_cast<PosixFile*>(&source);
    std::uint64_t done = 0;
    bool kernel_copy = posix != nullptr;
    while (done < length && kernel_copy) {
      auto in = static_cast<loff_t>(source_offset + done);
      auto out = static_cast<loff_t>(offset + done);
      const ssize_t n = ::copy_file_range(posix->fd_, &in, fd_, &out, length - done, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n > 0) {
        done += static_cast<std::uint64_t>(n);
        continue;
      }
      if (n == 0) return false;  // the source ended early
      // Not between these files or not on this system: copy through memory instead.
      if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL) return false;
      kernel_copy = false;
    }
    std::vector<std::byte> buffer(std::min<std::uint64_t>(length - done, 1 << 20));
    while (done < length) {
      const std::span<std::byte> chunk(buffer.data(),
                                       std::min<std::uint64_t>(buffer.size(), length - done));
      if (!source.ReadAt(source_offset + done, chunk) || !WriteAt(offset + done, chunk))
        return false;
      done += chunk.size();
    }
    return true;
  }

  bool Truncate(std::uint64_t size) override {
    int rc;
    do rc = ::ftruncate(fd_, static_cast<off_t>(size));
    while (rc != 0 && errno == EINTR);
    return rc == 0;
  }

  // Contents and size, which is all a reader needs; skipping the timestamps spares a journal
  // commit of the file system when a change rewrites bytes in place.
  bool Sync() override { return ::fdatasync(fd_) == 0; }

  std::optional<FileIdentity> Identity() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    return IdentityOf(st);
  }

  bool Lock(bool exclusive) override {
    int rc;
    do rc = ::flock(fd_, exclusive ? LOCK_EX : LOCK_SH);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
  }

  void Unlock() override { ::flock(fd_, LOCK_UN); }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::filesystem::path& path, FileMode mode) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case FileMode::kReadOnly:
        flags |= O_RDONLY;
        break;
      case FileMode::kReadWrite:
        flags |= O_RDWR;
        break;
      case FileMode::kCreateTruncate:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
      case FileMode::kCreateNew:
        flags |= O_RDWR | O_CREAT | O_EXCL;
        break;
    }
    int fd;
    do fd = ::open(path.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixFile>(fd);
  }

  Lookup Stat(const std::filesystem::path& path, FileIdentity& identity) override {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
      return errno == ENOENT || errno == ENOTDIR ? Lookup::kMissing : Lookup::kError;
    identity = IdentityOf(st);
    return Lookup::kFound;
  }

  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool Link(const std::filesystem::path& existing, const std::filesystem::path& new_name) override {
    return ::link(existing.c_str(), new_name.c_str()) == 0;
  }

  bool Remove(const std::filesystem::path& path) override { return ::unlink(path.c_str()) == 0; }

  bool SyncDirectory(const std::filesystem::path& directory) override {
    const std::filesystem::path name = directory.empty() ? std::filesystem::path(".") : directory;
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
  }
};

}  // namespace

FileSystem& FileSystem::Posix() {
  static PosixFileSystem instance;
  return instance;
}

}  // namespace quill
