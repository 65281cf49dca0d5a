#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace quill {

// Identity of an open or named file, to notice that a path now names another file.
struct DayFileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t links = 0;
  std::uint64_t size = 0;

  bool SameFile(const DayFileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

// The few file operations the day files need. Every call returns 0 (or a count, or a
// descriptor) on success and a failure as an error code, never an exception. Tests replace
// it with one that fails chosen calls.
class DayFileSystem {
 public:
  virtual ~DayFileSystem() = default;

  // Opens an existing file for reading.
  virtual std::error_code OpenForReading(const std::string& path, int& fd) = 0;
  // Creates a new, uniquely named file whose name starts with `prefix`; `path` gets its name.
  virtual std::error_code CreateTemporary(const std::string& prefix, std::string& path,
                                          int& fd) = 0;
  virtual std::error_code Read(int fd, char* buffer, std::size_t size, std::size_t& count) = 0;
  virtual std::error_code Write(int fd, const char* data, std::size_t size, std::size_t& count) = 0;
  virtual std::error_code Sync(int fd) = 0;
  virtual std::error_code Close(int fd) = 0;
  // Waits for the exclusive advisory lock of an open file (released when it is closed).
  virtual std::error_code LockExclusive(int fd) = 0;
  virtual std::error_code IdentifyOpen(int fd, DayFileIdentity& identity) = 0;
  virtual std::error_code IdentifyPath(const std::string& path, DayFileIdentity& identity) = 0;
  // Replaces `to` by `from` atomically.
  virtual std::error_code Rename(const std::string& from, const std::string& to) = 0;
  // Gives `from` the second name `to`; fails with file_exists when `to` exists.
  virtual std::error_code Link(const std::string& from, const std::string& to) = 0;
  virtual std::error_code Remove(const std::string& path) = 0;
  // Makes the directory's entries (a rename, a new name) durable.
  virtual std::error_code SyncDirectory(const std::string& path) = 0;
};

// The real file system (POSIX).
DayFileSystem& DefaultDayFileSystem();

// Reads an open file from its current position to its end.
std::error_code ReadToEnd(DayFileSystem& files, int fd, std::string& bytes);

// Reads a whole file; no such file gives no_such_file_or_directory.
std::error_code ReadWholeFile(DayFileSystem& files, const std::string& path, std::string& bytes);

// Writes all bytes, going on after short writes; a write that makes no progress is a failure.
std::error_code WriteAll(DayFileSystem& files, int fd, std::string_view bytes);

}  // namespace quill
