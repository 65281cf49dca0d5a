// libFuzzer target: any bytes as a database file. Opening either refuses them or yields a
// database whose every field reads without fault, and whose changes keep a file that opens.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/edb_database.h"
#include "storage/edb_journal.h"
#include "storage/fault_file_system.h"

namespace {

const std::filesystem::path kPath = "/fuzz/input.edb";

int ReadEverything(quill::EdbDatabase& db) {
  const int count = db.RecordCount();
  for (int r = 1; r <= count; ++r) {
    if (!db.GoTo(r)) std::abort();
    const int bookmark = db.Bookmark();
    if (!db.GoToBookmark(bookmark) && bookmark > 0 && db.Bookmark() != bookmark) std::abort();
    db.IsDeleted();
    for (int f = 1; f <= db.FieldCount(); ++f) {
      db.FieldName(f);
      db.Read(f);
    }
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::test::FaultFileSystem fs;
  fs.SetContents(kPath, std::string(reinterpret_cast<const char*>(data), size));
  // The same bytes as a journal: decoding never reads outside them.
  quill::DecodeJournal(std::as_bytes(std::span(data, size)));
  auto db = quill::EdbDatabase::Open(kPath, fs);
  if (!db) return 0;
  ReadEverything(*db);

  std::vector<quill::EdbValue> values;
  for (int f = 1; f <= db->FieldCount(); ++f)
    values.push_back(f % 2 ? quill::EdbValue(std::string(40, 'z')) : 1e300);
  db->Add(values);
  if (db->GoTo(1)) {
    db->Modify({std::string("m"), -1e300});
    db->Delete();
  }
  db->Purge();
  const int count = ReadEverything(*db);

  auto reopened = quill::EdbDatabase::Open(kPath, fs);
  if (!reopened || ReadEverything(*reopened) != count) std::abort();
  return 0;
}
