#include "storage/edb_database.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "storage/edb_failure.h"
#include "storage/edb_format.h"
#include "storage/edb_journal.h"
#include "storage/file_system.h"

namespace quill {
namespace {

thread_local EdbError last_error = EdbError::kNone;

bool Fail(EdbError error) {
  last_error = error;
  return false;
}

std::filesystem::path PurgePath(const std::filesystem::path& database) {
  std::filesystem::path path = database;
  path += "-purge";
  return path;
}

std::filesystem::path DirectoryOf(const std::filesystem::path& path) {
  std::filesystem::path directory = path.parent_path();
  return directory.empty() ? std::filesystem::path(".") : directory;
}

}  // namespace

EdbError LastEdbError() { return last_error; }

void SetLastEdbError(EdbError error) { last_error = error; }

void EdbProgrammingError(const std::string& message) {
  std::fprintf(stderr, "record database: %s\n", message.c_str());
  std::fflush(stderr);
  std::abort();
}

class EdbDatabase::Impl {
 public:
  Impl(FileSystem& fs, std::filesystem::path path)
      : fs_(fs), path_(std::move(path)), directory_(DirectoryOf(path_)) {}

  bool Open();

  int FieldCount() const { return static_cast<int>(layout_.fields.size()); }
  std::string FieldName(int field) const;
  int RecordCount();
  bool GoTo(int record_number);
  int Bookmark() const { return current_ >= 0 ? current_id_ : 0; }
  bool GoToBookmark(int bookmark);
  bool IsDeleted() const { return current_ >= 0 && LoadInt32(RecordAt(current_)) < 0; }
  EdbValue Read(int field);
  std::string ReadText(int field);
  double ReadNumber(int field);
  bool Add(const std::vector<EdbValue>& values);
  bool Modify(const std::vector<std::optional<EdbValue>>& values);
  bool Delete();
  bool Purge();
  void DropSettledJournal();

 private:
  const std::byte* RecordAt(std::int64_t index) const {
    return image_.data() + layout_.RecordOffset(index);
  }
  std::int32_t IdAt(std::int64_t index) const {
    const std::int32_t header = LoadInt32(RecordAt(index));
    // The one header without an absolute value names no record.
    if (header == std::numeric_limits<std::int32_t>::min()) return 0;
    return header < 0 ? -header : header;
  }
  std::int64_t FindId(std::int32_t id) const;
  const EdbField& FieldOrDie(int field) const;

  bool Load();  // the whole file into memory
  bool LoadLocked();
  void Relocate();  // finds the current record again after a reload
  bool Refresh();
  bool LockNamedFile();
  bool BeginWrite();
  void EndWrite() { file_->Unlock(); }
  bool WriteJournaled(std::vector<JournalRegion> regions, std::uint64_t new_size);
  bool LocateCurrentForWrite(std::vector<std::byte>& record);

  FileSystem& fs_;
  const std::filesystem::path path_;
  const std::filesystem::path directory_;
  std::unique_ptr<File> file_;
  FileIdentity identity_;  // of the file image_ was loaded from
  bool stale_ = false;     // image_ may differ from the file: reload before trusting it
  // The file's name may not be durable yet (a purge's directory sync failed, or a crashed
  // one's was never made): no change is reported durable before the directory is synced.
  bool directory_unsynced_ = false;
  std::vector<std::byte> image_;
  EdbLayout layout_;
  std::int32_t max_id_ = 0;    // largest identifier present, deleted records included
  bool ids_ascending_ = true;  // true for every file this engine writes: binary search works
  std::int64_t current_ = -1;  // index of the current record, -1 for none
  std::int32_t current_id_ = 0;
};

std::string EdbDatabase::Impl::FieldName(int field) const {
  if (field < 1 || field > FieldCount()) {
    Fail(EdbError::kNotFound);
    return {};
  }
  return layout_.fields[static_cast<std::size_t>(field - 1)].name;
}

const EdbField& EdbDatabase::Impl::FieldOrDie(int field) const {
  if (field < 1 || field > FieldCount()) {
    EdbProgrammingError("read of field " + std::to_string(field) +
                        ", which does not exist (the database has " + std::to_string(FieldCount()) +
                        " fields)");
  }
  return layout_.fields[static_cast<std::size_t>(field - 1)];
}

std::int64_t EdbDatabase::Impl::FindId(std::int32_t id) const {
  const std::int64_t count = layout_.header.record_count;
  if (id <= 0) return -1;
  if (ids_ascending_) {
    std::int64_t low = 0, high = count;
    while (low < high) {
      const std::int64_t mid = low + (high - low) / 2;
      if (IdAt(mid) < id)
        low = mid + 1;
      else
        high = mid;
    }
    return low < count && IdAt(low) == id ? low : -1;
  }
  for (std::int64_t i = 0; i < count; ++i) {
    if (IdAt(i) == id) return i;
  }
  return -1;
}

bool EdbDatabase::Impl::Load() {
  const std::optional<FileIdentity> identity = file_->Identity();
  if (!identity) return Fail(EdbError::kIo);
  std::vector<std::byte> image;
  try {
    // Room to grow, so that adds do not move the whole image each time capacity runs out.
    image.reserve(identity->size + identity->size / 8 + 64 * 1024);
    image.resize(identity->size);
  } catch (const std::bad_alloc&) {
    return Fail(EdbError::kIo);
  }
  if (!file_->ReadAt(0, image)) return Fail(EdbError::kIo);
  std::optional<EdbLayout> layout = ParseEdbLayout(image);
  if (!layout) return Fail(EdbError::kBadFormat);
  image_ = std::move(image);
  layout_ = std::move(*layout);
  identity_ = *identity;
  stale_ = false;
  max_id_ = 0;
  ids_ascending_ = true;
  std::int32_t previous = 0;
  for (std::int64_t i = 0; i < layout_.header.record_count; ++i) {
    const std::int32_t id = IdAt(i);
    if (id <= previous) ids_ascending_ = false;
    previous = id;
    max_id_ = std::max(max_id_, id);
  }
  Relocate();
  return true;
}

void EdbDatabase::Impl::Relocate() {
  if (current_ < 0) return;
  if (current_ < layout_.header.record_count && IdAt(current_) == current_id_) return;
  current_ = FindId(current_id_);
}

bool EdbDatabase::Impl::Open() {
  file_ = fs_.Open(path_, FileMode::kReadWrite);
  if (!file_) {
    FileIdentity ignored;
    return Fail(fs_.Stat(path_, ignored) == Lookup::kMissing ? EdbError::kNotFound : EdbError::kIo);
  }
  if (!LoadLocked()) return false;
  directory_unsynced_ = !fs_.SyncDirectory(directory_);
  if (layout_.header.record_count > 0) {
    current_ = 0;
    current_id_ = IdAt(0);
  }
  return true;
}

// Settles an interrupted change of a crashed writer, then reads the file, all under the lock
// so that no half-written change is ever loaded.
bool EdbDatabase::Impl::LoadLocked() {
  if (!LockNamedFile()) return false;
  bool ok = true;
  if (RecoverJournal(fs_, *file_, path_) == Recovery::kFailed) ok = Fail(EdbError::kIo);
  if (ok) ok = Load();
  file_->Unlock();
  return ok;
}

bool EdbDatabase::Impl::Refresh() {
  FileIdentity now;
  const Lookup lookup = fs_.Stat(path_, now);
  if (lookup == Lookup::kMissing) return true;  // the file vanished: keep serving what was read
  if (lookup == Lookup::kError) return Fail(EdbError::kIo);
  if (now == identity_ && !stale_) return true;
  return LoadLocked();
}

int EdbDatabase::Impl::RecordCount() {
  Refresh();
  return layout_.header.record_count;
}

bool EdbDatabase::Impl::GoTo(int record_number) {
  const std::int64_t count = layout_.header.record_count;
  if (count == 0) {
    current_ = -1;
    return Fail(EdbError::kNotFound);
  }
  current_ = std::clamp<std::int64_t>(record_number, 1, count) - 1;
  current_id_ = IdAt(current_);
  return true;
}

bool EdbDatabase::Impl::GoToBookmark(int bookmark) {
  Refresh();
  const std::int64_t index = FindId(bookmark);
  if (index < 0) return Fail(EdbError::kNotFound);
  current_ = index;
  current_id_ = bookmark;
  return true;
}

EdbValue EdbDatabase::Impl::Read(int field) {
  const EdbField& descriptor = FieldOrDie(field);
  if (current_ < 0) {
    Fail(current_id_ != 0 ? EdbError::kRecordGone : EdbError::kNotFound);
    if (descriptor.type == EdbType::kText) return std::string();
    return 0.0;
  }
  return DecodeEdbField(descriptor, RecordAt(current_));
}

// Scans read every field of every record: no variant and no copy beyond the result.
std::string EdbDatabase::Impl::ReadText(int field) {
  const EdbField& descriptor = FieldOrDie(field);
  if (current_ < 0) {
    Fail(current_id_ != 0 ? EdbError::kRecordGone : EdbError::kNotFound);
    return {};
  }
  if (descriptor.type != EdbType::kText) return {};
  const char* at = reinterpret_cast<const char*>(RecordAt(current_) + descriptor.offset);
  return std::string(at, ::strnlen(at, static_cast<std::size_t>(descriptor.size)));
}

double EdbDatabase::Impl::ReadNumber(int field) {
  const EdbField& descriptor = FieldOrDie(field);
  if (current_ < 0) {
    Fail(current_id_ != 0 ? EdbError::kRecordGone : EdbError::kNotFound);
    return 0.0;
  }
  if (descriptor.type == EdbType::kText) return 0.0;
  return std::get<double>(DecodeEdbField(descriptor, RecordAt(current_)));
}

// Locks the file that the path names now. A journal beside the path belongs to that file, so
// holding the lock of a file that another process has replaced meanwhile would not do.
bool EdbDatabase::Impl::LockNamedFile() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (!file_->Lock(true)) return Fail(EdbError::kIo);
    FileIdentity named;
    const Lookup lookup = fs_.Stat(path_, named);
    const std::optional<FileIdentity> held = file_->Identity();
    if (lookup != Lookup::kFound || !held) {
      file_->Unlock();
      return Fail(lookup == Lookup::kMissing ? EdbError::kNotFound : EdbError::kIo);
    }
    if (named.SameFile(*held)) return true;
    file_->Unlock();
    std::unique_ptr<File> replacement = fs_.Open(path_, FileMode::kReadWrite);
    if (!replacement) return Fail(EdbError::kIo);
    file_ = std::move(replacement);
    stale_ = true;
  }
  return Fail(EdbError::kIo);
}

// The journal stays beside the database between changes only to spare each change a
// directory sync; once the handle closes, a settled journal goes, so that between runs the
// run directory holds the database alone. Under the lock no change is half done, and a
// journal that an interrupted change left is settled first.
void EdbDatabase::Impl::DropSettledJournal() {
  if (!file_ || !LockNamedFile()) return;
  if (RecoverJournal(fs_, *file_, path_) != Recovery::kFailed) fs_.Remove(JournalPath(path_));
  file_->Unlock();
}

// Takes the write lock on the file the path names now, finishes any interrupted change and
// brings the in-memory image up to date. On success the lock is held until EndWrite.
bool EdbDatabase::Impl::BeginWrite() {
  if (!LockNamedFile()) return false;
  if (directory_unsynced_) {
    if (!fs_.SyncDirectory(directory_)) {
      file_->Unlock();
      return Fail(EdbError::kIo);
    }
    directory_unsynced_ = false;
  }
  const Recovery recovery = RecoverJournal(fs_, *file_, path_);
  if (recovery == Recovery::kFailed) {
    file_->Unlock();
    return Fail(EdbError::kIo);
  }
  if (recovery == Recovery::kRecovered) stale_ = true;
  // The header on disk and the file's size and time tell whether another process wrote.
  std::byte header[kEdbHeaderSize];
  const std::optional<FileIdentity> held = file_->Identity();
  if (!held || !file_->ReadAt(0, header)) {
    file_->Unlock();
    return Fail(EdbError::kIo);
  }
  if (stale_ || !(*held == identity_) || image_.size() < kEdbHeaderSize ||
      std::memcmp(header, image_.data(), kEdbHeaderSize) != 0) {
    if (!Load()) {
      file_->Unlock();
      return false;
    }
  }
  return true;
}

bool EdbDatabase::Impl::WriteJournaled(std::vector<JournalRegion> regions, std::uint64_t new_size) {
  Journal journal;
  journal.old_size = image_.size();
  journal.new_size = new_size;
  for (JournalRegion& region : regions) {
    if (region.offset < image_.size()) {
      const std::uint64_t length =
          std::min<std::uint64_t>(region.new_bytes.size(), image_.size() - region.offset);
      region.old_bytes.assign(image_.begin() + static_cast<std::ptrdiff_t>(region.offset),
                              image_.begin() + static_cast<std::ptrdiff_t>(region.offset + length));
    }
  }
  journal.regions = std::move(regions);
  if (!WriteJournal(fs_, path_, journal)) {
    // The database is untouched; even a journal that survives only undoes nothing.
    InvalidateJournal(fs_, path_, /*durable=*/false);
    return Fail(EdbError::kIo);
  }
  bool written = true;
  for (const JournalRegion& region : journal.regions) {
    if (written) written = file_->WriteAt(region.offset, region.new_bytes);
  }
  if (written && new_size < journal.old_size) written = file_->Truncate(new_size);
  // A failed sync is never retried: the change is undone from the journal, and should that
  // fail too the journal stays for the next open or write to settle.
  if (!written || !file_->Sync()) {
    RecoverJournal(fs_, *file_, path_, /*force_rollback=*/true);
    stale_ = true;
    return Fail(EdbError::kIo);
  }
  // Once the database is synced the change is durable: a journal whose zeroes do not reach the
  // disk finds its new bytes present and only writes them again.
  InvalidateJournal(fs_, path_, /*durable=*/false);
  image_.resize(new_size);
  for (const JournalRegion& region : journal.regions) {
    std::copy(region.new_bytes.begin(), region.new_bytes.end(),
              image_.begin() + static_cast<std::ptrdiff_t>(region.offset));
  }
  const std::optional<FileIdentity> identity = file_->Identity();
  if (identity)
    identity_ = *identity;
  else
    stale_ = true;
  return true;
}

bool EdbDatabase::Impl::Add(const std::vector<EdbValue>& values) {
  if (!BeginWrite()) return false;
  const EdbHeader& header = layout_.header;
  const std::int64_t new_id =
      std::max<std::int64_t>(header.next_id, static_cast<std::int64_t>(max_id_) + 1);
  if (header.record_count == std::numeric_limits<std::int32_t>::max() ||
      new_id >= std::numeric_limits<std::int32_t>::max()) {
    EndWrite();
    return Fail(EdbError::kFull);
  }
  std::vector<std::byte> record(static_cast<std::size_t>(header.record_length));
  StoreInt32(record.data(), static_cast<std::int32_t>(new_id));
  const std::size_t given = std::min(values.size(), layout_.fields.size());
  for (std::size_t i = 0; i < given; ++i)
    EncodeEdbField(layout_.fields[i], values[i], record.data());

  std::vector<std::byte> counts(8);
  StoreInt32(counts.data(), header.record_count + 1);
  StoreInt32(counts.data() + 4, static_cast<std::int32_t>(new_id + 1));
  const std::uint64_t offset = layout_.RecordsEnd();
  const std::uint64_t new_size = std::max<std::uint64_t>(image_.size(), offset + record.size());
  std::vector<JournalRegion> regions(2);
  regions[0].offset = kEdbRecordCountOffset;
  regions[0].new_bytes = std::move(counts);
  regions[1].offset = offset;
  regions[1].new_bytes = std::move(record);
  const bool ok = WriteJournaled(std::move(regions), new_size);
  if (ok) {
    current_ = layout_.header.record_count;
    current_id_ = static_cast<std::int32_t>(new_id);
    ++layout_.header.record_count;
    layout_.header.next_id = static_cast<std::int32_t>(new_id + 1);
    max_id_ = static_cast<std::int32_t>(new_id);
  }
  EndWrite();
  return ok;
}

// With the write lock held: the current record's bytes as they are on disk now.
bool EdbDatabase::Impl::LocateCurrentForWrite(std::vector<std::byte>& record) {
  Relocate();
  if (current_ < 0) return Fail(current_id_ != 0 ? EdbError::kRecordGone : EdbError::kNotFound);
  record.resize(static_cast<std::size_t>(layout_.header.record_length));
  if (!file_->ReadAt(layout_.RecordOffset(current_), record)) return Fail(EdbError::kIo);
  const std::int32_t header = LoadInt32(record.data());
  if (header != current_id_ && header != -current_id_) return Fail(EdbError::kRecordGone);
  return true;
}

bool EdbDatabase::Impl::Modify(const std::vector<std::optional<EdbValue>>& values) {
  if (!BeginWrite()) return false;
  std::vector<std::byte> record;
  bool ok = LocateCurrentForWrite(record);
  if (ok) {
    const std::size_t given = std::min(values.size(), layout_.fields.size());
    for (std::size_t i = 0; i < given; ++i) {
      if (values[i]) EncodeEdbField(layout_.fields[i], *values[i], record.data());
    }
    std::vector<JournalRegion> regions(1);
    regions[0].offset = layout_.RecordOffset(current_);
    regions[0].new_bytes = std::move(record);
    ok = WriteJournaled(std::move(regions), image_.size());
  }
  EndWrite();
  return ok;
}

bool EdbDatabase::Impl::Delete() {
  if (!BeginWrite()) return false;
  std::vector<std::byte> record;
  bool ok = LocateCurrentForWrite(record);
  if (ok && LoadInt32(record.data()) > 0) {
    std::vector<JournalRegion> regions(1);
    regions[0].offset = layout_.RecordOffset(current_);
    regions[0].new_bytes.resize(kEdbRecordHeaderSize);
    StoreInt32(regions[0].new_bytes.data(), -current_id_);
    ok = WriteJournaled(std::move(regions), image_.size());
  }
  EndWrite();
  return ok;
}

bool EdbDatabase::Impl::Purge() {
  if (!BeginWrite()) return false;
  const std::int64_t count = layout_.header.record_count;
  const std::uint64_t length = static_cast<std::uint64_t>(layout_.header.record_length);
  // The live records as runs of neighbours, each copied in one piece.
  struct Run {
    std::int64_t first;
    std::int64_t count;
  };
  std::vector<Run> runs;
  std::int64_t live = 0;
  for (std::int64_t i = 0; i < count; ++i) {
    if (LoadInt32(RecordAt(i)) <= 0) continue;
    ++live;
    if (!runs.empty() && runs.back().first + runs.back().count == i)
      ++runs.back().count;
    else
      runs.push_back({i, 1});
  }
  // Identifiers of purged records stay used: the next one stays above every one ever seen.
  std::int32_t next_id = layout_.header.next_id;
  if (max_id_ < std::numeric_limits<std::int32_t>::max()) next_id = std::max(next_id, max_id_ + 1);
  const bool unchanged =
      live == count && next_id == layout_.header.next_id && image_.size() == layout_.RecordsEnd();
  if (unchanged) {
    EndWrite();
  } else {
    std::vector<std::byte> head(
        image_.begin(), image_.begin() + static_cast<std::ptrdiff_t>(layout_.records_offset));
    StoreInt32(head.data() + kEdbRecordCountOffset, static_cast<std::int32_t>(live));
    StoreInt32(head.data() + kEdbNextIdOffset, next_id);
    // The journal is made void on disk first, so that no old journal can come back beside the
    // compacted file and be replayed into it. The records are copied from the locked file,
    // which the image matches.
    const std::filesystem::path purge_path = PurgePath(path_);
    bool ok = InvalidateJournal(fs_, path_, /*durable=*/true);
    if (ok) {
      std::unique_ptr<File> out = fs_.Open(purge_path, FileMode::kCreateTruncate);
      ok = out && out->WriteAt(0, head);
      std::uint64_t at = layout_.records_offset;
      for (const Run& run : runs) {
        if (!ok) break;
        ok = out->CopyFrom(*file_, layout_.RecordOffset(run.first), at,
                           static_cast<std::uint64_t>(run.count) * length);
        at += static_cast<std::uint64_t>(run.count) * length;
      }
      ok = ok && out->Sync();
    }
    if (ok) ok = fs_.Rename(purge_path, path_);
    if (!ok) {
      fs_.Remove(purge_path);
      EndWrite();
      return Fail(EdbError::kIo);
    }
    // From here the new file is in place; a failed directory sync leaves it not yet durable.
    const bool durable = fs_.SyncDirectory(directory_);
    directory_unsynced_ = !durable;
    EndWrite();
    std::unique_ptr<File> replacement = fs_.Open(path_, FileMode::kReadWrite);
    const bool reopened = replacement != nullptr;
    if (reopened) file_ = std::move(replacement);
    stale_ = true;
    const std::optional<FileIdentity> identity = reopened ? file_->Identity() : std::nullopt;
    if (!durable || !identity) return Fail(EdbError::kIo);
    {
      // The image follows the file through the same compaction, in place.
      std::uint64_t at = layout_.records_offset;
      for (const Run& run : runs) {
        const std::uint64_t bytes = static_cast<std::uint64_t>(run.count) * length;
        std::memmove(image_.data() + at, RecordAt(run.first), bytes);
        at += bytes;
      }
      image_.resize(at);
      std::copy(head.begin(), head.end(), image_.begin());
      layout_.header.record_count = static_cast<std::int32_t>(live);
      layout_.header.next_id = next_id;
      identity_ = *identity;
      stale_ = false;
      max_id_ = 0;
      for (std::int64_t i = 0; i < live; ++i) max_id_ = std::max(max_id_, IdAt(i));
    }
  }
  if (layout_.header.record_count > 0) {
    current_ = 0;
    current_id_ = IdAt(0);
  } else {
    current_ = -1;
    current_id_ = 0;
  }
  return true;
}

EdbDatabase::EdbDatabase(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
EdbDatabase::~EdbDatabase() {
  const EdbError error = last_error;  // closing is no operation of the caller's
  impl_->DropSettledJournal();
  last_error = error;
}

std::unique_ptr<EdbDatabase> EdbDatabase::Open(const std::filesystem::path& path) {
  return Open(path, FileSystem::Posix());
}

std::unique_ptr<EdbDatabase> EdbDatabase::Open(const std::filesystem::path& path, FileSystem& fs) {
  last_error = EdbError::kNone;
  auto impl = std::make_unique<Impl>(fs, path);
  if (!impl->Open()) return nullptr;
  return std::unique_ptr<EdbDatabase>(new EdbDatabase(std::move(impl)));
}

int EdbDatabase::FieldCount() const { return impl_->FieldCount(); }
std::string EdbDatabase::FieldName(int field) const {
  last_error = EdbError::kNone;
  return impl_->FieldName(field);
}
int EdbDatabase::RecordCount() {
  last_error = EdbError::kNone;
  return impl_->RecordCount();
}
bool EdbDatabase::GoTo(int record_number) {
  last_error = EdbError::kNone;
  return impl_->GoTo(record_number);
}
int EdbDatabase::Bookmark() const { return impl_->Bookmark(); }
bool EdbDatabase::GoToBookmark(int bookmark) {
  last_error = EdbError::kNone;
  return impl_->GoToBookmark(bookmark);
}
bool EdbDatabase::IsDeleted() const { return impl_->IsDeleted(); }
EdbValue EdbDatabase::Read(int field) {
  last_error = EdbError::kNone;
  return impl_->Read(field);
}
std::string EdbDatabase::ReadText(int field) {
  last_error = EdbError::kNone;
  return impl_->ReadText(field);
}
double EdbDatabase::ReadNumber(int field) {
  last_error = EdbError::kNone;
  return impl_->ReadNumber(field);
}
bool EdbDatabase::Add(const std::vector<EdbValue>& values) {
  last_error = EdbError::kNone;
  return impl_->Add(values);
}
bool EdbDatabase::Modify(const std::vector<std::optional<EdbValue>>& values) {
  last_error = EdbError::kNone;
  return impl_->Modify(values);
}
bool EdbDatabase::Delete() {
  last_error = EdbError::kNone;
  return impl_->Delete();
}
bool EdbDatabase::Purge() {
  last_error = EdbError::kNone;
  return impl_->Purge();
}

}  // namespace quill
