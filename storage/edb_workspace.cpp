#include "storage/edb_database.h"

#include "storage/edb_failure.h"

namespace quill {
namespace {

EdbDatabase& ForReading(EdbDatabase* current) {
  if (current == nullptr) EdbProgrammingError("read without a current database");
  return *current;
}

bool NoDatabase() {
  SetLastEdbError(EdbError::kNoDatabase);
  return false;
}

}  // namespace

bool EdbWorkspace::Open(const std::filesystem::path& path, const std::string& alias) {
  std::unique_ptr<EdbDatabase> database = EdbDatabase::Open(path);
  if (!database) return false;
  for (auto& [name, open] : open_) {
    if (name != alias) continue;
    // Reopening an alias replaces its database, and the current one with it.
    if (current_ == open.get()) current_ = database.get();
    open = std::move(database);
    return true;
  }
  open_.emplace_back(alias, std::move(database));
  if (current_ == nullptr) current_ = open_.back().second.get();
  return true;
}

bool EdbWorkspace::SetCurrent(const std::string& alias) {
  for (auto& [name, open] : open_) {
    if (name == alias) {
      current_ = open.get();
      SetLastEdbError(EdbError::kNone);
      return true;
    }
  }
  SetLastEdbError(EdbError::kNotFound);
  return false;
}

EdbDatabase* EdbWorkspace::Current() { return current_; }

int EdbWorkspace::FieldCount() { return current_ ? current_->FieldCount() : 0; }

std::string EdbWorkspace::FieldName(int field) {
  if (!current_) {
    NoDatabase();
    return {};
  }
  return current_->FieldName(field);
}

int EdbWorkspace::RecordCount() { return current_ ? current_->RecordCount() : 0; }
bool EdbWorkspace::GoTo(int record_number) {
  return current_ ? current_->GoTo(record_number) : NoDatabase();
}
int EdbWorkspace::Bookmark() { return current_ ? current_->Bookmark() : 0; }
bool EdbWorkspace::GoToBookmark(int bookmark) {
  return current_ ? current_->GoToBookmark(bookmark) : NoDatabase();
}
EdbValue EdbWorkspace::Read(int field) { return ForReading(current_).Read(field); }
std::string EdbWorkspace::ReadText(int field) { return ForReading(current_).ReadText(field); }
double EdbWorkspace::ReadNumber(int field) { return ForReading(current_).ReadNumber(field); }
bool EdbWorkspace::Add(const std::vector<EdbValue>& values) {
  return current_ ? current_->Add(values) : NoDatabase();
}
bool EdbWorkspace::Modify(const std::vector<std::optional<EdbValue>>& values) {
  return current_ ? current_->Modify(values) : NoDatabase();
}
bool EdbWorkspace::Delete() { return current_ ? current_->Delete() : NoDatabase(); }
bool EdbWorkspace::Purge() { return current_ ? current_->Purge() : NoDatabase(); }

}  // namespace quill
