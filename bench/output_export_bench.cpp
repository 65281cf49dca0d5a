// Exporting a million goods records: building the text from the database, and building it
// and writing it to disk with sync and rename.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "output/atomic_file_write.h"
#include "output/export_text.h"
#include "storage/goods_database.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 1000000;
constexpr std::size_t kHeaderBytes = 548;  // header, field count and six descriptors
constexpr std::size_t kRecordBytes = 92;

void PutInt(std::string& bytes, std::size_t offset, std::int32_t value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);  // little-endian host
}

void PutText(std::string& bytes, std::size_t offset, const std::string& text) {
  std::memcpy(bytes.data() + offset, text.data(), std::min<std::size_t>(text.size(), 20));
}

// A goods database of `records` live records, written straight in the file layout (the
// template's header and descriptors, then the records) so that building it takes a moment.
fs::path WriteLargeDatabase(const fs::path& directory, int records) {
  const auto image = quill::GoodsTemplateImage();
  std::string bytes(reinterpret_cast<const char*>(image.data()), kHeaderBytes);
  PutInt(bytes, 16, records);
  PutInt(bytes, 20, records + 1);
  bytes.resize(kHeaderBytes + kRecordBytes * static_cast<std::size_t>(records), '\0');
  for (int i = 0; i < records; ++i) {
    const std::size_t at = kHeaderBytes + kRecordBytes * static_cast<std::size_t>(i);
    PutInt(bytes, at, i + 1);
    PutText(bytes, at + 4, "\xC9\xCC\xC6\xB7" + std::to_string(i));  // 商品
    PutText(bytes, at + 24, "K" + std::to_string(1000000 + i));
    const float price = static_cast<float>(i % 100000) / 100.0f + 0.5f;
    std::memcpy(bytes.data() + at + 44, &price, sizeof price);
    PutText(bytes, at + 48, "\xB8\xF6");  // 个
    PutInt(bytes, at + 68, i % 2000 - 100);
    PutText(bytes, at + 72, i % 7 == 0 ? "a,b" : "\xB1\xB8\xD7\xA2");  // 备注
  }
  const fs::path path = directory / "goods.edb";
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

class LargeDatabase {
 public:
  LargeDatabase() {
    directory_ = fs::temp_directory_path() / ("quill-export-bench-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    workspace_.Open(WriteLargeDatabase(directory_, kRecords), quill::kGoodsDatabaseAlias);
  }
  ~LargeDatabase() { fs::remove_all(directory_); }
  quill::EdbWorkspace& Workspace() { return workspace_; }
  const fs::path& Directory() const { return directory_; }

 private:
  fs::path directory_;
  quill::EdbWorkspace workspace_;
};

LargeDatabase& Database() {
  static LargeDatabase database;
  return database;
}

void BM_BuildExportText(benchmark::State& state) {
  quill::EdbWorkspace& db = Database().Workspace();
  std::size_t bytes = 0;
  for (auto _ : state) {
    int last = 0;
    const std::string text = quill::BuildExportText(db, [&](int position) { last = position; });
    bytes = text.size();
    benchmark::DoNotOptimize(last);
  }
  state.counters["records"] = db.RecordCount();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildExportText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportToDisk(benchmark::State& state) {
  quill::EdbWorkspace& db = Database().Workspace();
  const fs::path target = quill::ExportFilePath(Database().Directory());
  for (auto _ : state) {
    const std::string text = quill::BuildExportText(db);
    if (quill::WriteFileReplacing(target, text)) state.SkipWithError("write failed");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(target));
}
BENCHMARK(BM_ExportToDisk)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
