#include "sales/day_file_system.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

DayFileIdentity IdentityOf(const struct stat& info) {
  return DayFileIdentity{
      static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
      static_cast<std::uint64_t>(info.st_nlink), static_cast<std::uint64_t>(info.st_size)};
}

class PosixDayFileSystem final : public DayFileSystem {
 public:
  std::error_code OpenForReading(const std::string& path, int& fd) override {
    do {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? LastError() : std::error_code{};
  }

  std::error_code CreateTemporary(const std::string& prefix, std::string& path, int& fd) override {
    // Named by hand rather than by mkstemp so that the file gets the user's usual
    // permissions (0666 less the umask) when it becomes the day file.
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    for (int attempt = 0; attempt < 100; ++attempt) {
      char suffix[32];
      std::snprintf(suffix, sizeof suffix, ".%x%x.tmp", static_cast<unsigned>(::getpid()) ^ seed,
                    counter.fetch_add(1));
      path = prefix + suffix;
      do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      } while (fd < 0 && errno == EINTR);
      if (fd >= 0) return {};
      if (errno != EEXIST) return LastError();
    }
    return std::make_error_code(std::errc::file_exists);
  }

  std::error_code Read(int fd, char* buffer, std::size_t size, std::size_t& count) override {
    ssize_t done;
    do {
      done = ::read(fd, buffer, size);
    } while (done < 0 && errno == EINTR);
    if (done < 0) return LastError();
    count = static_cast<std::size_t>(done);
    return {};
  }

  std::error_code Write(int fd, const char* data, std::size_t size, std::size_t& count) override {
    ssize_t done;
    do {
      done = ::write(fd, data, size);
    } while (done < 0 && errno == EINTR);
    if (done < 0) return LastError();
    count = static_cast<std::size_t>(done);
    return {};
  }

  std::error_code Sync(int fd) override {
    return ::fsync(fd) < 0 ? LastError() : std::error_code{};
  }

  std::error_code Close(int fd) override {
    // After close the descriptor is gone even on EINTR; a retry could close another file.
    return ::close(fd) < 0 && errno != EINTR ? LastError() : std::error_code{};
  }

  std::error_code LockExclusive(int fd) override {
    int rc;
    do {
      rc = ::flock(fd, LOCK_EX);
    } while (rc < 0 && errno == EINTR);
    return rc < 0 ? LastError() : std::error_code{};
  }

  std::error_code IdentifyOpen(int fd, DayFileIdentity& identity) override {
    struct stat info {};
    if (::fstat(fd, &info) < 0) return LastError();
    identity = IdentityOf(info);
    return {};
  }

  std::error_code IdentifyPath(const std::string& path, DayFileIdentity& identity) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) < 0) return LastError();
    identity = IdentityOf(info);
    return {};
  }

  std::error_code Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) < 0 ? LastError() : std::error_code{};
  }

  std::error_code Link(const std::string& from, const std::string& to) override {
    return ::link(from.c_str(), to.c_str()) < 0 ? LastError() : std::error_code{};
  }

  std::error_code Remove(const std::string& path) override {
    return ::unlink(path.c_str()) < 0 ? LastError() : std::error_code{};
  }

  std::error_code SyncDirectory(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return LastError();
    const int rc = ::fsync(fd);
    const std::error_code error = rc < 0 ? LastError() : std::error_code{};
    ::close(fd);
    return error;
  }
};

}  // namespace

DayFileSystem& DefaultDayFileSystem() {
  static PosixDayFileSystem files;
  return files;
}

std::error_code ReadToEnd(DayFileSystem& files, int fd, std::string& bytes) {
  bytes.clear();
  DayFileIdentity identity;
  // The size is a hint only: the loop reads to the end whatever it is.
  if (!files.IdentifyOpen(fd, identity) && identity.size < (std::uint64_t{1} << 32)) {
    bytes.reserve(static_cast<std::size_t>(identity.size) + 1);
  }
  constexpr std::size_t kChunk = 1 << 16;
  for (;;) {
    const std::size_t used = bytes.size();
    if (bytes.capacity() - used < kChunk / 4) bytes.reserve(used + kChunk);
    bytes.resize(bytes.capacity());
    std::size_t count = 0;
    const std::error_code error = files.Read(fd, bytes.data() + used, bytes.size() - used, count);
    bytes.resize(used + (error ? 0 : count));
    if (error) {
      bytes.clear();
      return error;
    }
    if (count == 0) return {};
  }
}

std::error_code ReadWholeFile(DayFileSystem& files, const std::string& path, std::string& bytes) {
  bytes.clear();
  int fd = -1;
  if (std::error_code error = files.OpenForReading(path, fd)) return error;
  const std::error_code error = ReadToEnd(files, fd, bytes);
  files.Close(fd);
  return error;
}

std::error_code WriteAll(DayFileSystem& files, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    std::size_t count = 0;
    if (std::error_code error = files.Write(fd, bytes.data(), bytes.size(), count)) return error;
    if (count == 0 || count > bytes.size()) return std::make_error_code(std::errc::io_error);
    bytes.remove_prefix(count);
  }
  return {};
}

}  // namespace quill
