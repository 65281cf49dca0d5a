#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "sales/daily_sales_file.h"
#include "sales/day_file_system.h"
#include "sales/sale_entry.h"

namespace quill {

// Where an append stopped.
enum class AppendStage {
  kNone,           // it succeeded
  kRead,           // the day file exists but could not be opened or read: it is left alone
  kLock,           // the day file could not be locked against another writer
  kWrite,          // the new text could not be written and synced beside the day file
  kReplace,        // the new text could not take the day file's place
  kSyncDirectory,  // the new day file is in place but its directory could not be synced
  kBusy,           // the day file kept being replaced by other writers
};

struct AppendResult {
  AppendStage failed_at = AppendStage::kNone;
  std::error_code error;

  bool ok() const { return failed_at == AppendStage::kNone; }
  // True when the new line is in the day file even though the append failed (only after
  // kSyncDirectory: a power cut may still lose it).
  bool line_in_file() const { return failed_at == AppendStage::kSyncDirectory; }
  // A short English account with the system's reason, for a message's detail.
  std::string Describe() const;
};

// Records a sale in the day's file in the run directory: the old text (up to its first zero
// byte), then CR LF, then the sale line; a new file holds the sale line alone.
//
// Unlike a rewrite in place, the new text goes to a temporary file beside the day file, is
// synced and renamed over it, so a failure at any point leaves the earlier lines as they were.
// An exclusive lock on the day file (re-checked after waiting, as the file may have been
// replaced meanwhile) keeps two processes appending at once from losing a line.
AppendResult AppendSaleEntry(const std::filesystem::path& run_dir, const CalendarDate& date,
                             const SaleEntry& entry, DayFileSystem& files = DefaultDayFileSystem());

// Deletes a day file under the same lock, so that an append waiting for it starts a new file
// instead of bringing the deleted lines back. A missing file is not an error.
std::error_code DeleteDailySalesFile(const std::filesystem::path& path,
                                     DayFileSystem& files = DefaultDayFileSystem());

}  // namespace quill
