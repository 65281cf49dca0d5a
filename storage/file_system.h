#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

namespace quill {

// What tells a changed or replaced file apart from the one loaded before.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;
  bool SameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
  bool operator==(const FileIdentity&) const = default;
};

// One open file. Every call either does all of its work or reports failure.
class File {
 public:
  virtual ~File() = default;
  virtual bool ReadAt(std::uint64_t offset, std::span<std::byte> out) = 0;
  virtual bool WriteAt(std::uint64_t offset, std::span<const std::byte> data) = 0;
  // Copies length bytes of source, from source_offset on, to offset in this file; in the kernel
  // where it can, so that large copies never pass through the program.
  virtual bool CopyFrom(File& source, std::uint64_t source_offset, std::uint64_t offset,
                        std::uint64_t length) = 0;
  virtual bool Truncate(std::uint64_t size) = 0;
  // Makes the written contents durable. A failure means they may be lost even if a later sync
  // succeeds.
  virtual bool Sync() = 0;
  virtual std::optional<FileIdentity> Identity() = 0;
  // Advisory lock held by this open file, shared or exclusive, waiting for other processes.
  virtual bool Lock(bool exclusive) = 0;
  virtual void Unlock() = 0;
};

enum class Lookup {
  kFound,
  kMissing,
  kError,  // the name could not be looked up; whether something is there is unknown
};

enum class FileMode {
  kReadOnly,        // existing file
  kReadWrite,       // existing file
  kCreateTruncate,  // created or emptied, read-write
  kCreateNew,       // created, read-write; fails when the name exists
};

// All file access of the record-database engine, so that tests can inject faults and crashes.
// Directory changes (create, rename, link, remove) are durable only after SyncDirectory.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::unique_ptr<File> Open(const std::filesystem::path& path, FileMode mode) = 0;
  virtual Lookup Stat(const std::filesystem::path& path, FileIdentity& identity) = 0;
  virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // A second name for an existing file; fails when the new name exists, never replacing it.
  virtual bool Link(const std::filesystem::path& existing,
                    const std::filesystem::path& new_name) = 0;
  virtual bool Remove(const std::filesystem::path& path) = 0;
  virtual bool SyncDirectory(const std::filesystem::path& directory) = 0;

  // The real POSIX file system.
  static FileSystem& Posix();
};

}  // namespace quill
