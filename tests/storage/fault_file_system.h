#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/file_system.h"

namespace quill::test {

// An in-memory file system that models what reaches the disk: file contents become durable
// only through File::Sync, names (creations, renames, links, removals) only through
// SyncDirectory of their directory. It can crash after the k-th mutating call or fail one
// chosen call, and it can produce the disk as a power cut or a killed process leaves it.
class FaultFileSystem final : public FileSystem {
 public:
  // What a crash keeps of the writes and names that were not synced.
  enum class CrashKeeps {
    kNothing,     // a power cut: only synced contents and synced names survive
    kEverything,  // a killed process: the kernel keeps everything
    kSome,        // a power cut that let a random subset of unsynced writes reach the disk
  };

  // How the chosen call fails.
  enum class Fault {
    kError,            // the call fails and changes nothing
    kShortWrite,       // a write stores its first half, then fails (a full disk); others fail
    kSyncLosesWrites,  // a sync fails and the unsynced writes will never reach the disk, though
                       // they stay readable (the kernel marked them clean); others fail
  };

  FaultFileSystem() = default;

  // After this many further mutating calls succeed, every call fails (the process is dead).
  void CrashAfter(std::int64_t mutating_calls);
  // The n-th further call of any kind (1-based) fails with the fault, and so do the next
  // repeat - 1 calls (a device that stays bad for a while).
  void FailCall(std::int64_t call, Fault fault, std::int64_t repeat = 1);
  bool Crashed() const { return crashed_; }
  bool FaultHit() const { return fault_hit_; }
  std::int64_t Calls() const { return calls_; }
  std::int64_t MutatingCalls() const { return mutating_calls_; }

  // Link fails as on file systems without hard links.
  void DisableLinks() { links_ = false; }

  // The disk after a crash now, as a new file system without faults.
  std::unique_ptr<FaultFileSystem> AfterCrash(CrashKeeps keeps, std::uint32_t seed) const;

  // Test access, bypassing faults.
  bool Exists(const std::filesystem::path& path) const;
  std::string Contents(const std::filesystem::path& path) const;
  void SetContents(const std::filesystem::path& path, const std::string& bytes);  // durable

  std::unique_ptr<File> Open(const std::filesystem::path& path, FileMode mode) override;
  Lookup Stat(const std::filesystem::path& path, FileIdentity& identity) override;
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  bool Link(const std::filesystem::path& existing, const std::filesystem::path& new_name) override;
  bool Remove(const std::filesystem::path& path) override;
  bool SyncDirectory(const std::filesystem::path& directory) override;

  struct PendingChange {
    bool truncate = false;
    std::uint64_t offset = 0;  // or the new size of a truncation
    std::vector<std::byte> bytes;
  };
  struct Inode {
    std::uint64_t number = 0;
    std::int64_t version = 0;
    std::vector<std::byte> data;    // what reads see
    std::vector<std::byte> synced;  // what the disk holds
    std::vector<PendingChange> pending;
  };
  enum class Outcome { kOk, kFail, kShortWrite, kSyncLosesWrites };
  Outcome Tick(bool mutating);

 private:
  std::shared_ptr<Inode> NewInode();

  std::map<std::string, std::shared_ptr<Inode>> names_;
  std::map<std::string, std::shared_ptr<Inode>> durable_names_;
  std::uint64_t next_inode_ = 1;
  std::int64_t calls_ = 0;
  std::int64_t mutating_calls_ = 0;
  std::int64_t crash_after_ = -1;
  std::int64_t fail_call_ = -1;
  std::int64_t fail_until_ = -1;
  Fault fault_ = Fault::kError;
  bool crashed_ = false;
  bool links_ = true;
  bool fault_hit_ = false;
};

}  // namespace quill::test
