#include "sales/append_sale_entry.h"

#include <cerrno>

namespace quill {
namespace {

// Other writers can replace the file between our open and our lock only as often as they
// append; this bounds the retries against a pathological storm.
constexpr int kMaxAttempts = 1000;

bool LinkUnsupported(const std::error_code& error) {
  return error == std::errc::operation_not_permitted ||
         error == std::errc::operation_not_supported || error == std::errc::function_not_supported;
}

AppendResult Failure(AppendStage stage, std::error_code error) {
  return AppendResult{stage, error};
}

// Writes `text` to a new temporary file beside `path` and syncs it; `temp_path` names it.
std::error_code WriteTemporary(DayFileSystem& files, const std::string& path,
                               const std::string& text, std::string& temp_path) {
  int fd = -1;
  if (std::error_code error = files.CreateTemporary(path, temp_path, fd)) return error;
  std::error_code error = WriteAll(files, fd, text);
  if (!error) error = files.Sync(fd);
  const std::error_code close_error = files.Close(fd);
  if (!error) error = close_error;
  if (error) files.Remove(temp_path);
  return error;
}

}  // namespace

std::string AppendResult::Describe() const {
  const char* what = "";
  switch (failed_at) {
    case AppendStage::kNone:
      return "recorded";
    case AppendStage::kRead:
      what = "cannot read the day's sales file";
      break;
    case AppendStage::kLock:
      what = "cannot lock the day's sales file";
      break;
    case AppendStage::kWrite:
      what = "cannot write the new sales text";
      break;
    case AppendStage::kReplace:
      what = "cannot replace the day's sales file";
      break;
    case AppendStage::kSyncDirectory:
      what = "cannot make the day's sales file durable";
      break;
    case AppendStage::kBusy:
      what = "the day's sales file keeps changing";
      break;
  }
  return error ? std::string(what) + " (" + error.message() + ")" : what;
}

AppendResult AppendSaleEntry(const std::filesystem::path& run_dir, const CalendarDate& date,
                             const SaleEntry& entry, DayFileSystem& files) {
  const std::string path = DailySalesFile(run_dir, date).string();
  const std::string directory = run_dir.empty() ? std::string(".") : run_dir.string();
  const std::string line = SaleLine(entry);

  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    int fd = -1;
    std::error_code error = files.OpenForReading(path, fd);
    if (error == std::errc::no_such_file_or_directory) {
      // First sale of the day: the new name appears only once its text is complete, and
      // link refuses to replace a file that another writer created meanwhile.
      std::string temp_path;
      if ((error = WriteTemporary(files, path, line, temp_path))) {
        return Failure(AppendStage::kWrite, error);
      }
      bool renamed = false;
      error = files.Link(temp_path, path);
      if (LinkUnsupported(error)) {
        error = files.Rename(temp_path, path);
        renamed = !error;
      }
      if (!renamed) files.Remove(temp_path);
      if (error == std::errc::file_exists) continue;
      if (error) return Failure(AppendStage::kReplace, error);
      if ((error = files.SyncDirectory(directory))) {
        return Failure(AppendStage::kSyncDirectory, error);
      }
      return {};
    }
    if (error) return Failure(AppendStage::kRead, error);

    if ((error = files.LockExclusive(fd))) {
      files.Close(fd);
      return Failure(AppendStage::kLock, error);
    }
    // While we waited another writer may have replaced or deleted the file we locked.
    DayFileIdentity locked;
    DayFileIdentity current;
    error = files.IdentifyOpen(fd, locked);
    if (!error) {
      error = files.IdentifyPath(path, current);
      if (error == std::errc::no_such_file_or_directory || (!error && !locked.SameFile(current))) {
        files.Close(fd);
        continue;
      }
    }
    if (error) {
      files.Close(fd);
      return Failure(AppendStage::kLock, error);
    }

    std::string text;
    if ((error = ReadToEnd(files, fd, text))) {
      files.Close(fd);
      return Failure(AppendStage::kRead, error);
    }
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    text += kSaleLineEnd;
    text += line;

    std::string temp_path;
    if ((error = WriteTemporary(files, path, text, temp_path))) {
      files.Close(fd);
      return Failure(AppendStage::kWrite, error);
    }
    if ((error = files.Rename(temp_path, path))) {
      files.Remove(temp_path);
      files.Close(fd);
      return Failure(AppendStage::kReplace, error);
    }
    error = files.SyncDirectory(directory);
    files.Close(fd);  // releases the lock, only now that the new file is in place
    if (error) return Failure(AppendStage::kSyncDirectory, error);
    return {};
  }
  return Failure(AppendStage::kBusy, std::make_error_code(std::errc::device_or_resource_busy));
}

std::error_code DeleteDailySalesFile(const std::filesystem::path& path, DayFileSystem& files) {
  const std::string name = path.string();
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    int fd = -1;
    std::error_code error = files.OpenForReading(name, fd);
    if (error == std::errc::no_such_file_or_directory) return {};
    if (error) return error;
    if (!(error = files.LockExclusive(fd))) {
      DayFileIdentity locked;
      DayFileIdentity current;
      if (!(error = files.IdentifyOpen(fd, locked))) {
        error = files.IdentifyPath(name, current);
        if (error == std::errc::no_such_file_or_directory) {
          files.Close(fd);
          return {};
        }
        if (!error && !locked.SameFile(current)) {
          files.Close(fd);
          continue;
        }
      }
    }
    if (!error) error = files.Remove(name);
    files.Close(fd);
    return error;
  }
  return std::make_error_code(std::errc::device_or_resource_busy);
}

}  // namespace quill
