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
//   0   magic "QJOURNAL"           8  length L of the journal in bytes (8)
//   16  old file size (8)          24 new file size (8)          32 region count (4)
//   36  the regions, each: offset (8), new length (4), old length (4), old bytes, new bytes
//   L-8 FNV-1a 64 checksum of the L - 8 bytes before it
//   L…  leftovers of an earlier, longer journal; ignored
//
// A region's old bytes are those that lay inside the old file size. The file stays beside
// the database once made, so that a change costs no directory sync: a finished change zeroes
// the magic, and a journal without magic or with a bad checksum (torn while it was written,
// before the database was touched) counts as none.
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

// Makes the journal durable before the database is touched. Call with the database locked.
bool WriteJournal(FileSystem& fs, const std::filesystem::path& database_path,
                  const Journal& journal);

// Zeroes the magic of the journal, if there is one; with durable the zeroes are synced.
bool InvalidateJournal(FileSystem& fs, const std::filesystem::path& database_path, bool durable);

enum class Recovery {
  kNothing,    // no valid journal
  kRecovered,  // the database is back in a committed state, durably; the journal is void
  kFailed,     // I/O failed; the journal stays for the next attempt
};

// Brings the database back to a committed state after an interrupted change: when every new
// byte is in place the change is finished (its bytes are written again so that the sync
// covers them, never trusting an earlier sync), otherwise the old bytes go back. With
// force_rollback the old bytes always go back. Call with the database locked.
Recovery RecoverJournal(FileSystem& fs, File& database, const std::filesystem::path& database_path,
                        bool force_rollback = false);

}  // namespace quill
