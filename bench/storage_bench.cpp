// The record-database engine against SQLite holding the same goods, side by side:
//   full scan, durable add, durable modify (SQLite: one-row transactions, journal_mode DELETE,
//   synchronous FULL, its defaults), and purge of one deleted record against copying the
//   file and syncing it. Files live under $QUILL_BENCH_DIR (default: the temp directory).
//
//   storage_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include "storage/edb_database.h"
#include "storage/goods_database.h"

namespace {

namespace fs = std::filesystem;

fs::path BenchDirectory() {
  const char* given = std::getenv("QUILL_BENCH_DIR");
  fs::path dir = given ? fs::path(given) : fs::temp_directory_path() / "quill-storage-bench";
  fs::create_directories(dir);
  return dir;
}

std::string GoodsName(int i) { return "Goods " + std::to_string(i); }
std::string ItemNumber(int i) { return "K" + std::to_string(100000 + i); }

void StoreInt32(std::string& out, std::size_t at, std::int32_t value) {
  for (int b = 0; b < 4; ++b)
    out[at + b] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * b));
}

void Field(std::string& record, std::size_t at, const std::string& text) {
  std::memcpy(record.data() + at, text.data(), std::min<std::size_t>(text.size(), 20));
}

// The goods database of n records (identifiers 1 … n), written directly in the layout.
fs::path MakeEdb(int n) {
  const fs::path path = BenchDirectory() / ("goods-" + std::to_string(n) + ".edb");
  const auto image = quill::GoodsTemplateImage();
  std::string out(reinterpret_cast<const char*>(image.data()), 548);
  StoreInt32(out, 16, n);
  StoreInt32(out, 20, n + 1);
  out.reserve(548 + 92 * static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    std::string record(92, '\0');
    StoreInt32(record, 0, i);
    Field(record, 4, GoodsName(i));
    Field(record, 24, ItemNumber(i));
    const float price = 1.5f + static_cast<float>(i % 100);
    std::memcpy(record.data() + 44, &price, 4);
    Field(record, 48, "\xB8\xF6");  // 个
    StoreInt32(record, 68, i % 1000);
    Field(record, 72, "remark");
    out += record;
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << out;
  return path;
}

void Check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
  }
}

fs::path MakeSqlite(int n) {
  const fs::path path = BenchDirectory() / ("goods-" + std::to_string(n) + ".sqlite");
  fs::remove(path);
  sqlite3* db = nullptr;
  Check(sqlite3_open(path.c_str(), &db), db, "open");
  Check(
      sqlite3_exec(
          db,
          "CREATE TABLE goods(id INTEGER PRIMARY KEY, name TEXT, item TEXT, price REAL, unit TEXT,"
          " stock INTEGER, remark TEXT); BEGIN;",
          nullptr, nullptr, nullptr),
      db, "create");
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db, "INSERT INTO goods VALUES(?,?,?,?,?,?,?)", -1, &insert, nullptr), db,
        "prepare");
  for (int i = 1; i <= n; ++i) {
    const std::string name = GoodsName(i), item = ItemNumber(i);
    sqlite3_bind_int(insert, 1, i);
    sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, item.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(insert, 4, 1.5 + i % 100);
    sqlite3_bind_text(insert, 5, "\xB8\xF6", -1, SQLITE_STATIC);
    sqlite3_bind_int(insert, 6, i % 1000);
    sqlite3_bind_text(insert, 7, "remark", -1, SQLITE_STATIC);
    Check(sqlite3_step(insert), db, "insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db, "commit");
  sqlite3_close(db);
  return path;
}

// Generated once per size and process.
const fs::path& Edb(int n) {
  static std::map<int, fs::path> made;
  auto it = made.find(n);
  if (it == made.end()) it = made.emplace(n, MakeEdb(n)).first;
  return it->second;
}

const fs::path& Sqlite(int n) {
  static std::map<int, fs::path> made;
  auto it = made.find(n);
  if (it == made.end()) it = made.emplace(n, MakeSqlite(n)).first;
  return it->second;
}

sqlite3* OpenSqlite(int n) {
  sqlite3* db = nullptr;
  Check(sqlite3_open(Sqlite(n).c_str(), &db), db, "open");
  // The defaults, stated: a rollback journal that is deleted, and a full sync.
  Check(sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr,
                     nullptr),
        db, "pragma");
  return db;
}

void BM_EdbFullScan(benchmark::State& state) {
  auto db = quill::EdbDatabase::Open(Edb(static_cast<int>(state.range(0))));
  if (!db) return state.SkipWithError("open failed");
  for (auto _ : state) {
    const int count = db->RecordCount();
    for (int r = 1; r <= count; ++r) {
      db->GoTo(r);
      std::string name = db->ReadText(quill::kName);
      std::string item = db->ReadText(quill::kItemNumber);
      double price = db->ReadNumber(quill::kUnitPrice);
      std::string unit = db->ReadText(quill::kUnit);
      double stock = db->ReadNumber(quill::kStock);
      std::string remark = db->ReadText(quill::kRemark);
      benchmark::DoNotOptimize(name);
      benchmark::DoNotOptimize(item);
      benchmark::DoNotOptimize(price);
      benchmark::DoNotOptimize(unit);
      benchmark::DoNotOptimize(stock);
      benchmark::DoNotOptimize(remark);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

std::string Column(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
              : std::string();
}

void BM_SqliteFullScan(benchmark::State& state) {
  sqlite3* db = OpenSqlite(static_cast<int>(state.range(0)));
  sqlite3_stmt* select = nullptr;
  Check(
      sqlite3_prepare_v2(db, "SELECT name, item, price, unit, stock, remark FROM goods ORDER BY id",
                         -1, &select, nullptr),
      db, "prepare");
  for (auto _ : state) {
    while (sqlite3_step(select) == SQLITE_ROW) {
      std::string name = Column(select, 0);
      std::string item = Column(select, 1);
      double price = sqlite3_column_double(select, 2);
      std::string unit = Column(select, 3);
      double stock = sqlite3_column_int(select, 4);
      std::string remark = Column(select, 5);
      benchmark::DoNotOptimize(name);
      benchmark::DoNotOptimize(item);
      benchmark::DoNotOptimize(price);
      benchmark::DoNotOptimize(unit);
      benchmark::DoNotOptimize(stock);
      benchmark::DoNotOptimize(remark);
    }
    sqlite3_reset(select);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  sqlite3_finalize(select);
  sqlite3_close(db);
}

void BM_EdbDurableAdd(benchmark::State& state) {
  auto db = quill::EdbDatabase::Open(Edb(static_cast<int>(state.range(0))));
  if (!db) return state.SkipWithError("open failed");
  int i = 0;
  for (auto _ : state) {
    if (!db->Add({GoodsName(++i), ItemNumber(i), 9.5, std::string("\xB8\xF6"), 5.0,
                  std::string("added")})) {
      return state.SkipWithError("add failed");
    }
  }
}

void BM_SqliteDurableAdd(benchmark::State& state) {
  sqlite3* db = OpenSqlite(static_cast<int>(state.range(0)));
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(
            db, "INSERT INTO goods(name, item, price, unit, stock, remark) VALUES(?,?,?,?,?,?)", -1,
            &insert, nullptr),
        db, "prepare");
  int i = 0;
  for (auto _ : state) {
    const std::string name = GoodsName(++i), item = ItemNumber(i);
    sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, item.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(insert, 3, 9.5);
    sqlite3_bind_text(insert, 4, "\xB8\xF6", -1, SQLITE_STATIC);
    sqlite3_bind_int(insert, 5, 5);
    sqlite3_bind_text(insert, 6, "added", -1, SQLITE_STATIC);
    if (sqlite3_step(insert) != SQLITE_DONE) return state.SkipWithError("insert failed");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_close(db);
}

// Every modify stores a new value: SQLite skips writing a row that did not change.
int NextStock() {
  static int stock = 1000;
  return ++stock;
}

void BM_EdbDurableModify(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto db = quill::EdbDatabase::Open(Edb(n));
  if (!db) return state.SkipWithError("open failed");
  std::mt19937 random(7);
  for (auto _ : state) {
    db->GoTo(static_cast<int>(random() % static_cast<unsigned>(n)) + 1);
    if (!db->Modify({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                     static_cast<double>(NextStock())})) {
      return state.SkipWithError("modify failed");
    }
  }
}

void BM_SqliteDurableModify(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  sqlite3* db = OpenSqlite(n);
  sqlite3_stmt* update = nullptr;
  Check(sqlite3_prepare_v2(db, "UPDATE goods SET stock = ? WHERE id = ?", -1, &update, nullptr), db,
        "prepare");
  std::mt19937 random(7);
  for (auto _ : state) {
    sqlite3_bind_int(update, 2, static_cast<int>(random() % static_cast<unsigned>(n)) + 1);
    sqlite3_bind_int(update, 1, NextStock());
    if (sqlite3_step(update) != SQLITE_DONE) return state.SkipWithError("update failed");
    sqlite3_reset(update);
  }
  sqlite3_finalize(update);
  sqlite3_close(db);
}

void BM_EdbPurgeOneDeleted(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto db = quill::EdbDatabase::Open(Edb(n));
  if (!db) return state.SkipWithError("open failed");
  std::mt19937 random(11);
  for (auto _ : state) {
    state.PauseTiming();
    db->GoTo(static_cast<int>(random() % static_cast<unsigned>(db->RecordCount())) + 1);
    const bool deleted = db->Delete();
    state.ResumeTiming();
    if (!deleted || !db->Purge()) return state.SkipWithError("delete or purge failed");
  }
}

// The physical limit of rewriting the file: copy it beside itself and sync the copy.
void BM_CopyFileAndSync(benchmark::State& state) {
  const fs::path& source = Edb(static_cast<int>(state.range(0)));
  const fs::path copy = source.string() + ".copy";
  for (auto _ : state) {
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
    const int fd = ::open(copy.c_str(), O_RDWR);
    if (fd < 0 || ::fsync(fd) != 0) return state.SkipWithError("sync failed");
    ::close(fd);
  }
  fs::remove(copy);
}

BENCHMARK(BM_EdbFullScan)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteFullScan)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EdbDurableAdd)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK(BM_SqliteDurableAdd)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK(BM_EdbDurableModify)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK(BM_SqliteDurableModify)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK(BM_EdbPurgeOneDeleted)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CopyFileAndSync)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
