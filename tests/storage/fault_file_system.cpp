#include "storage/fault_file_system.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

namespace quill::test {
namespace {

std::string Key(const std::filesystem::path& path) { return path.lexically_normal().string(); }

std::string DirectoryKey(const std::string& key) {
  const std::filesystem::path parent = std::filesystem::path(key).parent_path();
  return parent.empty() ? std::string(".") : Key(parent);
}

void Apply(std::vector<std::byte>& data, const FaultFileSystem::PendingChange& change) {
  if (change.truncate) {
    data.resize(change.offset);
    return;
  }
  if (data.size() < change.offset + change.bytes.size())
    data.resize(change.offset + change.bytes.size());
  std::copy(change.bytes.begin(), change.bytes.end(),
            data.begin() + static_cast<std::ptrdiff_t>(change.offset));
}

class FaultFile final : public File {
 public:
  FaultFile(FaultFileSystem& fs, std::shared_ptr<FaultFileSystem::Inode> inode)
      : fs_(fs), inode_(std::move(inode)) {}

  bool ReadAt(std::uint64_t offset, std::span<std::byte> out) override {
    if (fs_.Tick(false) != FaultFileSystem::Outcome::kOk) return false;
    if (offset > inode_->data.size() || out.size() > inode_->data.size() - offset) return false;
    if (!out.empty()) std::memcpy(out.data(), inode_->data.data() + offset, out.size());
    return true;
  }

  bool WriteAt(std::uint64_t offset, std::span<const std::byte> data) override {
    const FaultFileSystem::Outcome outcome = fs_.Tick(true);
    if (outcome == FaultFileSystem::Outcome::kOk) {
      Write(offset, data);
      return true;
    }
    if (outcome == FaultFileSystem::Outcome::kShortWrite)
      Write(offset, data.first(data.size() / 2));
    return false;
  }

  bool CopyFrom(File& source, std::uint64_t source_offset, std::uint64_t offset,
                std::uint64_t length) override {
    auto* from = dynamic_cast<FaultFile*>(&source);
    if (from == nullptr) return false;
    const std::vector<std::byte>& data = from->inode_->data;
    const FaultFileSystem::Outcome outcome = fs_.Tick(true);
    if (outcome != FaultFileSystem::Outcome::kOk &&
        outcome != FaultFileSystem::Outcome::kShortWrite)
      return false;
    if (source_offset > data.size() || length > data.size() - source_offset) return false;
    const std::vector<std::byte> bytes(
        data.begin() + static_cast<std::ptrdiff_t>(source_offset),
        data.begin() + static_cast<std::ptrdiff_t>(source_offset + length));
    if (outcome == FaultFileSystem::Outcome::kOk) {
      Write(offset, bytes);
      return true;
    }
    Write(offset, std::span(bytes).first(bytes.size() / 2));
    return false;
  }

  bool Truncate(std::uint64_t size) override {
    if (fs_.Tick(true) != FaultFileSystem::Outcome::kOk) return false;
    FaultFileSystem::PendingChange change;
    change.truncate = true;
    change.offset = size;
    Apply(inode_->data, change);
    inode_->pending.push_back(std::move(change));
    ++inode_->version;
    return true;
  }

  bool Sync() override {
    const FaultFileSystem::Outcome outcome = fs_.Tick(true);
    if (outcome == FaultFileSystem::Outcome::kOk) {
      inode_->synced = inode_->data;
      inode_->pending.clear();
      return true;
    }
    if (outcome == FaultFileSystem::Outcome::kSyncLosesWrites) inode_->pending.clear();
    return false;
  }

  std::optional<FileIdentity> Identity() override {
    if (fs_.Tick(false) != FaultFileSystem::Outcome::kOk) return std::nullopt;
    return FileIdentity{1, inode_->number, inode_->data.size(), inode_->version};
  }

  bool Lock(bool) override { return fs_.Tick(false) == FaultFileSystem::Outcome::kOk; }
  void Unlock() override {}

 private:
  void Write(std::uint64_t offset, std::span<const std::byte> data) {
    FaultFileSystem::PendingChange change;
    change.offset = offset;
    change.bytes.assign(data.begin(), data.end());
    Apply(inode_->data, change);
    inode_->pending.push_back(std::move(change));
    ++inode_->version;
  }

  FaultFileSystem& fs_;
  std::shared_ptr<FaultFileSystem::Inode> inode_;
};

}  // namespace

void FaultFileSystem::CrashAfter(std::int64_t mutating_calls) {
  crash_after_ = mutating_calls_ + mutating_calls;
}

void FaultFileSystem::FailCall(std::int64_t call, Fault fault, std::int64_t repeat) {
  fail_call_ = calls_ + call;
  fail_until_ = fail_call_ + repeat - 1;
  fault_ = fault;
}

FaultFileSystem::Outcome FaultFileSystem::Tick(bool mutating) {
  ++calls_;
  if (mutating) ++mutating_calls_;
  if (crashed_) return Outcome::kFail;
  if (mutating && crash_after_ >= 0 && mutating_calls_ > crash_after_) {
    crashed_ = true;
    return Outcome::kFail;
  }
  if (calls_ < fail_call_ || calls_ > fail_until_) return Outcome::kOk;
  fault_hit_ = true;
  switch (fault_) {
    case Fault::kError:
      return Outcome::kFail;
    case Fault::kShortWrite:
      return Outcome::kShortWrite;
    case Fault::kSyncLosesWrites:
      return Outcome::kSyncLosesWrites;
  }
  return Outcome::kFail;
}

std::shared_ptr<FaultFileSystem::Inode> FaultFileSystem::NewInode() {
  auto inode = std::make_shared<Inode>();
  inode->number = next_inode_++;
  return inode;
}

std::unique_ptr<FaultFileSystem> FaultFileSystem::AfterCrash(CrashKeeps keeps,
                                                             std::uint32_t seed) const {
  auto disk = std::make_unique<FaultFileSystem>();
  std::mt19937 random(seed);
  std::map<std::uint64_t, std::shared_ptr<Inode>> rebuilt;
  const auto& names = keeps == CrashKeeps::kEverything ? names_ : durable_names_;
  for (const auto& [name, inode] : names) {
    std::shared_ptr<Inode>& copy = rebuilt[inode->number];
    if (!copy) {
      copy = disk->NewInode();
      copy->data = inode->synced;
      for (const PendingChange& change : inode->pending) {
        const bool kept =
            keeps == CrashKeeps::kEverything || (keeps == CrashKeeps::kSome && random() % 2 == 0);
        if (kept) Apply(copy->data, change);
      }
      copy->synced = copy->data;
    }
    disk->names_[name] = copy;
    disk->durable_names_[name] = copy;
  }
  return disk;
}

bool FaultFileSystem::Exists(const std::filesystem::path& path) const {
  return names_.count(Key(path)) != 0;
}

std::string FaultFileSystem::Contents(const std::filesystem::path& path) const {
  auto it = names_.find(Key(path));
  if (it == names_.end()) return {};
  return std::string(reinterpret_cast<const char*>(it->second->data.data()),
                     it->second->data.size());
}

void FaultFileSystem::SetContents(const std::filesystem::path& path, const std::string& bytes) {
  std::shared_ptr<Inode>& inode = names_[Key(path)];
  if (!inode) inode = NewInode();
  const auto* begin = reinterpret_cast<const std::byte*>(bytes.data());
  inode->data.assign(begin, begin + bytes.size());
  inode->synced = inode->data;
  inode->pending.clear();
  ++inode->version;
  durable_names_[Key(path)] = inode;
}

std::unique_ptr<File> FaultFileSystem::Open(const std::filesystem::path& path, FileMode mode) {
  const bool create = mode == FileMode::kCreateTruncate || mode == FileMode::kCreateNew;
  if (Tick(create) != Outcome::kOk) return nullptr;
  if (mode == FileMode::kCreateNew && names_.count(Key(path)) != 0) return nullptr;
  std::shared_ptr<Inode>& inode = names_[Key(path)];
  if (!inode) {
    if (!create) {
      names_.erase(Key(path));
      return nullptr;
    }
    inode = NewInode();
  } else if (create && !inode->data.empty()) {
    PendingChange change;
    change.truncate = true;
    Apply(inode->data, change);
    inode->pending.push_back(std::move(change));
    ++inode->version;
  }
  return std::make_unique<FaultFile>(*this, inode);
}

Lookup FaultFileSystem::Stat(const std::filesystem::path& path, FileIdentity& identity) {
  if (Tick(false) != Outcome::kOk) return Lookup::kError;
  auto it = names_.find(Key(path));
  if (it == names_.end()) return Lookup::kMissing;
  identity = FileIdentity{1, it->second->number, it->second->data.size(), it->second->version};
  return Lookup::kFound;
}

bool FaultFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (Tick(true) != Outcome::kOk) return false;
  auto it = names_.find(Key(from));
  if (it == names_.end()) return false;
  std::shared_ptr<Inode> inode = it->second;
  names_.erase(it);
  names_[Key(to)] = std::move(inode);
  return true;
}

bool FaultFileSystem::Link(const std::filesystem::path& existing,
                           const std::filesystem::path& new_name) {
  if (Tick(true) != Outcome::kOk || !links_) return false;
  auto it = names_.find(Key(existing));
  if (it == names_.end() || names_.count(Key(new_name)) != 0) return false;
  names_[Key(new_name)] = it->second;
  return true;
}

bool FaultFileSystem::Remove(const std::filesystem::path& path) {
  if (Tick(true) != Outcome::kOk) return false;
  return names_.erase(Key(path)) != 0;
}

bool FaultFileSystem::SyncDirectory(const std::filesystem::path& directory) {
  if (Tick(true) != Outcome::kOk) return false;
  const std::string dir = Key(directory);
  std::set<std::string> keys;
  for (const auto& entry : names_) keys.insert(entry.first);
  for (const auto& entry : durable_names_) keys.insert(entry.first);
  for (const std::string& key : keys) {
    if (DirectoryKey(key) != dir) continue;
    auto it = names_.find(key);
    if (it == names_.end())
      durable_names_.erase(key);
    else
      durable_names_[key] = it->second;
  }
  return true;
}

}  // namespace quill::test
