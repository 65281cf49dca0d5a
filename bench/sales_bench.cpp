// Day files at the sizes a busy shop reaches: the append that a sale costs (read, rewrite,
// sync, rename, directory sync) and the reading and totalling that the records window does.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "sales/append_sale_entry.h"
#include "sales/read_sale_entries.h"
#include "sales/sales_day_totals.h"

namespace quill {
namespace {

// On a shared machine the fastest repetition is the one least disturbed by other work.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

constexpr CalendarDate kDay{2016, 3, 5};

SaleEntry TypicalSale(int i) {
  return SaleEntry{"\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7",                      // 零售客户
                   "\xB8\xD6\xB1\xCA - G" + std::to_string(100 + i % 900),  // 钢笔 - G…
                   "12.5 \xD4\xAA", std::to_string(1 + i % 7),
                   std::to_string(12.5 * (1 + i % 7)) + " \xD4\xAA"};
}

// A directory on the disk that holds the build (not a RAM disk), so syncs cost what they do.
class BenchDir {
 public:
  BenchDir() {
    const char* base = std::getenv("QUILL_BENCH_DIR");
    std::string pattern =
        (std::filesystem::path(base ? base : ".") / "quill-sales-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~BenchDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void WriteDay(const std::filesystem::path& path, int sales) {
  std::string text;
  for (int i = 0; i < sales; ++i) {
    if (i > 0) text += kSaleLineEnd;
    text += SaleLine(TypicalSale(i));
  }
  std::ofstream(path, std::ios::binary) << text;
}

void BM_AppendSaleToBusyDay(benchmark::State& state) {
  BenchDir dir;
  const int sales = static_cast<int>(state.range(0));
  WriteDay(DailySalesFile(dir.path(), kDay), sales);
  int i = sales;
  for (auto _ : state) {
    const AppendResult result = AppendSaleEntry(dir.path(), kDay, TypicalSale(i++));
    if (!result.ok()) state.SkipWithError(result.Describe().c_str());
  }
  state.counters["file_bytes"] =
      static_cast<double>(std::filesystem::file_size(DailySalesFile(dir.path(), kDay)));
}
BENCHMARK(BM_AppendSaleToBusyDay)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", Fastest);

void BM_ReadAndTotalDay(benchmark::State& state) {
  BenchDir dir;
  const auto path = DailySalesFile(dir.path(), kDay);
  WriteDay(path, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const std::vector<SaleEntry> entries = ReadSaleEntries(path);
    const SalesDayTotals totals = TotalSaleEntries(entries);
    benchmark::DoNotOptimize(totals);
    if (entries.size() != static_cast<std::size_t>(state.range(0))) {
      state.SkipWithError("wrong number of entries");
    }
  }
}
BENCHMARK(BM_ReadAndTotalDay)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace quill
