#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "storage/file_system.h"

namespace quill {

// The rollback journal "<database>-journal" that makes one change of the database atomic.
//
//   0   magic "QJOURNAL"
//   8   old file size (8 bytes)    16 new file size (8 bytes)    24 region count (4 bytes)
//   28  the regions, each: offset (8), new length (4), old length (4), old bytes, new bytes
//   end FNV-1a 64 checksum of every byte before it (8)
//
// A region's old bytes are those that lay inside the old file size. A journal is only ever
// present while a change is under way or after it was interrupted; a torn journal (bad
// checksum) means the database was not touched yet.
struct JournalRegion {
  std::uint64_t offset = 0;
  std::vector<std::byte> old_bytes;
  std::vector<std::byte> new_bytes;
};

struct Journal {
  std::uint64_t old_size = 0;
  std::uint64_t new_size = 0;
  std::vector<JournalRegion> regions;
};

std::vector<std::byte> EncodeJournal(const Journal& journal);
std::optional<Journal> DecodeJournal(std::span<const std::byte> bytes);

std::filesystem::path JournalPath(const std::filesystem::path& database);

enum class Recovery {
  kNothing,     // no journal
  kRecovered,   // the database is back in a committed state, durably; the journal is gone
  kFailed,      // I/O failed; the journal stays for the next attempt
};

// Brings the database back to a committed state after an interrupted change: when every new
// byte is in place the change is finished (its bytes are written again so that the sync
// covers them, never trusting an earlier sync), otherwise the old bytes go back. With
// force_rollback the old bytes always go back. Call with the database locked.
Recovery RecoverJournal(FileSystem& fs, File& database, const std::filesystem::path& database_path,
                        bool force_rollback = false);

}  // namespace quill
