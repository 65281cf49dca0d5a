#include "storage/edb_journal.h"

#include <algorithm>
#include <cstring>

namespace quill {
namespace {

constexpr char kMagic[8] = {'Q', 'J', 'O', 'U', 'R', 'N', 'A', 'L'};
constexpr std::size_t kFixedSize = 36;
constexpr std::size_t kRegionHeaderSize = 16;
constexpr std::size_t kChecksumSize = 8;
constexpr std::uint32_t kMaxRegions = 64;
constexpr std::uint64_t kMaxJournalBytes = 8u << 20;

std::uint64_t Fnv1a(std::span<const std::byte> bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (std::byte b : bytes) {
    hash ^= std::to_integer<std::uint64_t>(b);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

void Put(std::vector<std::byte>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::byte>(value >> (8 * i)));
}

std::uint64_t Get(const std::byte* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | std::to_integer<std::uint64_t>(at[i]);
  return value;
}

}  // namespace

std::vector<std::byte> EncodeJournal(const Journal& journal) {
  std::vector<std::byte> out;
  for (char c : kMagic) out.push_back(static_cast<std::byte>(c));
  Put(out, 0, 8);  // the length, known at the end
  Put(out, journal.old_size, 8);
  Put(out, journal.new_size, 8);
  Put(out, journal.regions.size(), 4);
  for (const JournalRegion& region : journal.regions) {
    Put(out, region.offset, 8);
    Put(out, region.new_bytes.size(), 4);
    Put(out, region.old_bytes.size(), 4);
    out.insert(out.end(), region.old_bytes.begin(), region.old_bytes.end());
    out.insert(out.end(), region.new_bytes.begin(), region.new_bytes.end());
  }
  const std::uint64_t length = out.size() + kChecksumSize;
  for (int i = 0; i < 8; ++i) out[8 + i] = static_cast<std::byte>(length >> (8 * i));
  Put(out, Fnv1a(out), 8);
  return out;
}

std::optional<Journal> DecodeJournal(std::span<const std::byte> bytes) {
  if (bytes.size() < kFixedSize + kChecksumSize) return std::nullopt;
  if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return std::nullopt;
  const std::uint64_t length = Get(bytes.data() + 8, 8);
  if (length < kFixedSize + kChecksumSize || length > bytes.size()) return std::nullopt;
  const std::size_t body = static_cast<std::size_t>(length) - kChecksumSize;
  if (Get(bytes.data() + body, 8) != Fnv1a(bytes.first(body))) return std::nullopt;
  Journal journal;
  journal.old_size = Get(bytes.data() + 16, 8);
  journal.new_size = Get(bytes.data() + 24, 8);
  const std::uint64_t count = Get(bytes.data() + 32, 4);
  if (count > kMaxRegions) return std::nullopt;
  std::size_t at = kFixedSize;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (body - at < kRegionHeaderSize) return std::nullopt;
    JournalRegion region;
    region.offset = Get(bytes.data() + at, 8);
    const std::uint64_t new_length = Get(bytes.data() + at + 8, 4);
    const std::uint64_t old_length = Get(bytes.data() + at + 12, 4);
    at += kRegionHeaderSize;
    if (body - at < old_length + new_length) return std::nullopt;
    // Regions must describe writes inside the sizes they claim, or a rollback would scribble.
    if (region.offset > journal.new_size || new_length > journal.new_size - region.offset)
      return std::nullopt;
    const std::uint64_t expected_old = region.offset >= journal.old_size
                                           ? 0
                                           : std::min(new_length, journal.old_size - region.offset);
    if (old_length != expected_old) return std::nullopt;
    region.old_bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(at + old_length));
    at += old_length;
    region.new_bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(at + new_length));
    at += new_length;
    journal.regions.push_back(std::move(region));
  }
  if (at != body) return std::nullopt;
  return journal;
}

std::filesystem::path JournalPath(const std::filesystem::path& database) {
  std::filesystem::path path = database;
  path += "-journal";
  return path;
}

Recovery RecoverJournal(FileSystem& fs, File& database, const std::filesystem::path& database_path,
                        bool force_rollback) {
  const std::filesystem::path journal_path = JournalPath(database_path);
  FileIdentity journal_identity;
  const Lookup lookup = fs.Stat(journal_path, journal_identity);
  if (lookup == Lookup::kMissing) return Recovery::kNothing;
  if (lookup == Lookup::kError) return Recovery::kFailed;
  std::vector<std::byte> bytes;
  {
    std::unique_ptr<File> journal_file = fs.Open(journal_path, FileMode::kReadOnly);
    if (!journal_file) return Recovery::kFailed;
    const std::optional<FileIdentity> identity = journal_file->Identity();
    if (!identity) return Recovery::kFailed;
    // No journal this engine writes comes near the cap; a larger file is damage, read no further.
    bytes.resize(std::min<std::uint64_t>(identity->size, kMaxJournalBytes));
    if (!journal_file->ReadAt(0, bytes)) return Recovery::kFailed;
  }
  const std::optional<Journal> journal = DecodeJournal(bytes);
  // Void, or torn while being written: the database was not touched by it.
  if (!journal) return Recovery::kNothing;
  const std::optional<FileIdentity> database_identity = database.Identity();
  if (!database_identity) return Recovery::kFailed;

  bool finished = !force_rollback && database_identity->size == journal->new_size;
  for (const JournalRegion& region : journal->regions) {
    if (!finished) break;
    std::vector<std::byte> present(region.new_bytes.size());
    finished = database.ReadAt(region.offset, present) && present == region.new_bytes;
  }
  if (finished) {
    for (const JournalRegion& region : journal->regions) {
      if (!database.WriteAt(region.offset, region.new_bytes)) return Recovery::kFailed;
    }
  } else {
    for (const JournalRegion& region : journal->regions) {
      if (!database.WriteAt(region.offset, region.old_bytes)) return Recovery::kFailed;
    }
    if (!database.Truncate(journal->old_size)) return Recovery::kFailed;
  }
  if (!database.Sync()) return Recovery::kFailed;
  // Should the zeroes not reach the disk, the journal is settled again the same way.
  InvalidateJournal(fs, database_path, /*durable=*/false);
  return Recovery::kRecovered;
}

bool WriteJournal(FileSystem& fs, const std::filesystem::path& database_path,
                  const Journal& journal) {
  const std::filesystem::path journal_path = JournalPath(database_path);
  bool created = false;
  std::unique_ptr<File> file = fs.Open(journal_path, FileMode::kReadWrite);
  if (!file) {
    file = fs.Open(journal_path, FileMode::kCreateTruncate);
    created = true;
  }
  if (!file || !file->WriteAt(0, EncodeJournal(journal)) || !file->Sync()) return false;
  if (!created) return true;
  std::filesystem::path directory = database_path.parent_path();
  if (directory.empty()) directory = ".";
  return fs.SyncDirectory(directory);
}

bool InvalidateJournal(FileSystem& fs, const std::filesystem::path& database_path, bool durable) {
  const std::filesystem::path journal_path = JournalPath(database_path);
  FileIdentity identity;
  const Lookup lookup = fs.Stat(journal_path, identity);
  if (lookup == Lookup::kMissing) return true;
  if (lookup == Lookup::kError) return false;
  std::unique_ptr<File> file = fs.Open(journal_path, FileMode::kReadWrite);
  if (!file) return false;
  const std::byte zeros[sizeof kMagic] = {};
  if (identity.size < sizeof zeros) return !durable || file->Sync();
  return file->WriteAt(0, zeros) && (!durable || file->Sync());
}

}  // namespace quill
