#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quill {

class FileSystem;

// Why the last engine operation of this thread failed.
enum class EdbError {
  kNone,
  kNotFound,    // no such file, record, bookmark or alias
  kBadFormat,   // the file does not have the record-database layout
  kIo,          // reading, writing or syncing failed
  kRecordGone,  // the current record was deleted or purged meanwhile
  kNoDatabase,  // no current database
  kFull,        // no identifier or record number is left for another record
};
EdbError LastEdbError();

// A value read from or written to a field: text (GBK bytes) or number. Numbers of every
// numeric field type travel as double, which holds float and 32-bit values exactly.
using EdbValue = std::variant<std::string, double>;

// One open record-database file. Record numbers are 1-based positions; a bookmark is a
// record's identifier, stable for its life and never reused.
class EdbDatabase {
 public:
  // nullptr (LastEdbError tells why) when the file is missing or has not the layout.
  // Opening never changes a well-formed file.
  static std::unique_ptr<EdbDatabase> Open(const std::filesystem::path& path);
  static std::unique_ptr<EdbDatabase> Open(const std::filesystem::path& path, FileSystem& fs);
  ~EdbDatabase();

  int FieldCount() const;
  std::string FieldName(int field) const;  // 1-based; GBK bytes

  int RecordCount();                // deleted-marked records included
  bool GoTo(int record_number);     // clamps to 1 … count; false only on an empty file
  int Bookmark() const;             // identifier of the current record, 0 when there is none
  bool GoToBookmark(int bookmark);  // on failure the current record stays
  bool IsDeleted() const;           // current record is marked deleted

  // Text fields up to their terminator (at most the width), numbers as double.
  // A field number that does not exist is a programming error and stops the program.
  EdbValue Read(int field);
  std::string ReadText(int field);  // numbers are not converted: empty for numeric fields
  double ReadNumber(int field);     // 0 for text fields

  // values[i] is field i + 1; texts are cut to the field width, numbers converted to the
  // field type. The new record becomes current.
  bool Add(const std::vector<EdbValue>& values);
  // Rewrites the current record in place; fields left out (nullopt) keep their values.
  bool Modify(const std::vector<std::optional<EdbValue>>& values);
  bool Delete();  // marks the current record deleted
  bool Purge();   // removes marked records; record 1 becomes current

 private:
  class Impl;
  explicit EdbDatabase(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// The databases open in this process by alias, and the current one. Every operation acts on
// the current database; without one, counts are 0 and changes fail, while reading is a
// programming error that stops the program with a message.
class EdbWorkspace {
 public:
  bool Open(const std::filesystem::path& path, const std::string& alias);
  bool SetCurrent(const std::string& alias);
  EdbDatabase* Current();

  int FieldCount();
  std::string FieldName(int field);
  int RecordCount();
  bool GoTo(int record_number);
  int Bookmark();
  bool GoToBookmark(int bookmark);
  EdbValue Read(int field);
  std::string ReadText(int field);
  double ReadNumber(int field);
  bool Add(const std::vector<EdbValue>& values);
  bool Modify(const std::vector<std::optional<EdbValue>>& values);
  bool Delete();
  bool Purge();

 private:
  std::vector<std::pair<std::string, std::unique_ptr<EdbDatabase>>> open_;
  EdbDatabase* current_ = nullptr;
};

}  // namespace quill
