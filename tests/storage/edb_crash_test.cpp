#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "storage/edb_database.h"
#include "storage/edb_journal.h"
#include "storage/fault_file_system.h"
#include "storage/goods_database.h"

namespace quill {
namespace {

using test::FaultFileSystem;

const std::filesystem::path kPath = "/db/goods.edb";

std::string TemplateBytes() {
  const auto image = GoodsTemplateImage();
  return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

std::vector<EdbValue> Goods(const std::string& name, double stock) {
  return {name, "N-" + name, 2.5, std::string("\xB8\xF6"), stock, std::string("remark ") + name};
}

struct Step {
  const char* name;
  std::function<bool(EdbDatabase&)> run;
};

// Touches every kind of change, including purges that remove the newest identifier.
const std::vector<Step>& Workload() {
  static const std::vector<Step> steps = {
      {"add 20", [](EdbDatabase& db) { return db.Add(Goods("A", 1)); }},
      {"add 21", [](EdbDatabase& db) { return db.Add(Goods("B", 2)); }},
      {"modify 17",
       [](EdbDatabase& db) {
         return db.GoToBookmark(17) &&
                db.Modify({std::string("changed"), std::nullopt, 9.5, std::nullopt, 42.0});
       }},
      {"delete 21", [](EdbDatabase& db) { return db.GoToBookmark(21) && db.Delete(); }},
      {"delete 16", [](EdbDatabase& db) { return db.GoToBookmark(16) && db.Delete(); }},
      {"purge", [](EdbDatabase& db) { return db.Purge(); }},
      {"add 22", [](EdbDatabase& db) { return db.Add(Goods("C", 3)); }},
      {"modify 20",
       [](EdbDatabase& db) {
         return db.GoToBookmark(20) &&
                db.Modify({std::nullopt, std::string(30, 'x'), std::nullopt, std::nullopt, -1.0});
       }},
      {"delete 22", [](EdbDatabase& db) { return db.GoToBookmark(22) && db.Delete(); }},
      {"purge again", [](EdbDatabase& db) { return db.Purge(); }},
      {"add 23", [](EdbDatabase& db) { return db.Add(Goods("D", 4)); }},
  };
  return steps;
}

// The file after 0, 1, … n steps of an undisturbed run.
const std::vector<std::string>& Snapshots() {
  static const std::vector<std::string> snapshots = [] {
    FaultFileSystem fs;
    fs.SetContents(kPath, TemplateBytes());
    auto db = EdbDatabase::Open(kPath, fs);
    std::vector<std::string> out = {fs.Contents(kPath)};
    for (const Step& step : Workload()) {
      if (!step.run(*db)) ADD_FAILURE() << "undisturbed step failed: " << step.name;
      out.push_back(fs.Contents(kPath));
    }
    return out;
  }();
  return snapshots;
}

std::vector<std::string> Dump(EdbDatabase& db) {
  std::vector<std::string> rows;
  for (int r = 1; r <= db.RecordCount(); ++r) {
    db.GoTo(r);
    std::string row = std::to_string(db.Bookmark()) + (db.IsDeleted() ? " deleted" : "");
    for (int f = 1; f <= db.FieldCount(); ++f) {
      const EdbValue value = db.Read(f);
      row += "|" + (std::holds_alternative<std::string>(value)
                        ? std::get<std::string>(value)
                        : std::to_string(std::get<double>(value)));
    }
    rows.push_back(row);
  }
  return rows;
}

// Opens the database on the disk and returns the file as the open left it.
std::string OpenAndRead(FaultFileSystem& disk) {
  auto db = EdbDatabase::Open(kPath, disk);
  if (!db) {
    ADD_FAILURE() << "the database does not open";
    return {};
  }
  return disk.Contents(kPath);
}

int SnapshotIndex(const std::string& contents) {
  const auto& snapshots = Snapshots();
  for (std::size_t i = 0; i < snapshots.size(); ++i) {
    if (snapshots[i] == contents) return static_cast<int>(i);
  }
  return -1;
}

TEST(EdbCrash, UndisturbedWorkloadLeavesNoLiveJournal) {
  FaultFileSystem fs;
  fs.SetContents(kPath, TemplateBytes());
  auto db = EdbDatabase::Open(kPath, fs);
  for (const Step& step : Workload()) ASSERT_TRUE(step.run(*db)) << step.name;
  const std::string journal = fs.Contents(JournalPath(kPath));
  EXPECT_FALSE(DecodeJournal(std::as_bytes(std::span(journal.data(), journal.size()))).has_value());
  // 17, 18, 19 and 20 outlive both purges; 23 came last.
  EXPECT_EQ(fs.Contents(kPath).size(), 548u + 92u * 5);
  const std::vector<std::string> rows = Dump(*db);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows.front().substr(0, 3), "17|");
  EXPECT_EQ(rows.back().substr(0, 3), "23|");
}

// A crash after every number of mutating calls, with each way the disk can be left.
TEST(EdbCrash, EveryCrashPointLeavesTheBeforeOrAfterState) {
  const auto& snapshots = Snapshots();
  const FaultFileSystem::CrashKeeps modes[] = {FaultFileSystem::CrashKeeps::kNothing,
                                               FaultFileSystem::CrashKeeps::kEverything,
                                               FaultFileSystem::CrashKeeps::kSome};
  for (FaultFileSystem::CrashKeeps keeps : modes) {
    for (int k = 0;; ++k) {
      SCOPED_TRACE("crash mode " + std::to_string(static_cast<int>(keeps)) + " after " +
                   std::to_string(k) + " mutating calls");
      FaultFileSystem fs;
      fs.SetContents(kPath, TemplateBytes());
      auto db = EdbDatabase::Open(kPath, fs);
      ASSERT_NE(db, nullptr);
      fs.CrashAfter(k);
      int succeeded = 0;
      for (const Step& step : Workload()) {
        if (!step.run(*db)) break;
        ++succeeded;
      }
      const bool crashed = fs.Crashed();
      db.reset();
      for (std::uint32_t seed = 1; seed <= (keeps == FaultFileSystem::CrashKeeps::kSome ? 4u : 1u);
           ++seed) {
        auto disk = fs.AfterCrash(keeps, seed * 7919u + static_cast<std::uint32_t>(k));
        const std::string recovered = OpenAndRead(*disk);
        const int state = SnapshotIndex(recovered);
        // Every reported success survives; the interrupted step is wholly there or wholly not.
        ASSERT_TRUE(state == succeeded || state == succeeded + 1)
            << "state " << state << " after " << succeeded << " reported successes (seed " << seed
            << ")";
        // The recovery itself was durable: a power cut right after the open changes nothing.
        auto again = disk->AfterCrash(FaultFileSystem::CrashKeeps::kNothing, 0);
        ASSERT_EQ(OpenAndRead(*again), recovered);
        // And the recovered database takes new changes.
        auto reopened = EdbDatabase::Open(kPath, *again);
        ASSERT_TRUE(reopened->Add(Goods("later", 5)));
        EXPECT_EQ(again->Contents(kPath).size(), recovered.size() + 92);
      }
      if (!crashed) {
        EXPECT_EQ(succeeded, static_cast<int>(Workload().size()));
        break;
      }
    }
  }
  EXPECT_EQ(snapshots.size(), Workload().size() + 1);
}

// One failing call, for every call of the workload, with each kind of failure.
TEST(EdbIoError, EveryFailedCallIsReportedAndLosesNothing) {
  const struct {
    FaultFileSystem::Fault fault;
    int repeat;
  } cases[] = {
      {FaultFileSystem::Fault::kError, 1},
      {FaultFileSystem::Fault::kShortWrite, 1},
      {FaultFileSystem::Fault::kSyncLosesWrites, 1},
      // The undo after the failure fails too, leaving the journal for a later recovery.
      {FaultFileSystem::Fault::kSyncLosesWrites, 3},
      {FaultFileSystem::Fault::kShortWrite, 4},
  };
  for (const auto& c : cases) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("fault " + std::to_string(static_cast<int>(c.fault)) + " x" +
                   std::to_string(c.repeat) + " from call " + std::to_string(n));
      FaultFileSystem fs;
      fs.SetContents(kPath, TemplateBytes());
      auto db = EdbDatabase::Open(kPath, fs);
      ASSERT_NE(db, nullptr);
      fs.FailCall(n, c.fault, c.repeat);
      int faulted_step = -1;
      bool reported = false;
      for (std::size_t i = 0; i < Workload().size(); ++i) {
        const bool ok = Workload()[i].run(*db);
        if (fs.FaultHit()) {
          fs.FailCall(0, c.fault, 0);  // the device is sound again
          faulted_step = static_cast<int>(i);
          reported = ok;
          break;
        }
        ASSERT_TRUE(ok) << Workload()[i].name;
      }
      if (faulted_step < 0) break;
      SCOPED_TRACE(Workload()[static_cast<std::size_t>(faulted_step)].name);
      if (!reported) {
        EXPECT_NE(LastEdbError(), EdbError::kNone);
      }

      // Reopened after a power cut and as it is: before or after, and after when reported;
      // whatever the open settled is durable.
      auto cut = fs.AfterCrash(FaultFileSystem::CrashKeeps::kNothing, 0);
      for (FaultFileSystem* disk : {cut.get(), &fs}) {
        const std::string contents = OpenAndRead(*disk);
        const int state = SnapshotIndex(contents);
        if (reported) {
          ASSERT_EQ(state, faulted_step + 1);
        } else {
          ASSERT_TRUE(state == faulted_step || state == faulted_step + 1) << "state " << state;
        }
        ASSERT_EQ(OpenAndRead(*disk->AfterCrash(FaultFileSystem::CrashKeeps::kNothing, 0)),
                  contents);
      }
      // The open database agrees with the file and keeps working.
      auto reopened = EdbDatabase::Open(kPath, fs);
      ASSERT_EQ(Dump(*db), Dump(*reopened));
      ASSERT_TRUE(db->Add(Goods("later", 5)));
      auto after_cut = fs.AfterCrash(FaultFileSystem::CrashKeeps::kNothing, 0);
      auto durable = EdbDatabase::Open(kPath, *after_cut);
      ASSERT_NE(durable, nullptr);
      std::vector<std::string> rows = Dump(*durable);
      ASSERT_FALSE(rows.empty());
      EXPECT_NE(rows.back().find("|later|"), std::string::npos) << rows.back();
    }
  }
}

TEST(EdbCrash, TemplateIsWhollyThereOrAbsentAfterAnyCrash) {
  for (int k = 0;; ++k) {
    SCOPED_TRACE(k);
    FaultFileSystem fs;
    fs.CrashAfter(k);
    const bool reported = WriteGoodsTemplateIfMissing(kPath, fs);
    for (auto keeps :
         {FaultFileSystem::CrashKeeps::kNothing, FaultFileSystem::CrashKeeps::kEverything}) {
      auto disk = fs.AfterCrash(keeps, 1);
      if (disk->Exists(kPath)) {
        EXPECT_EQ(disk->Contents(kPath), TemplateBytes());
      } else {
        EXPECT_FALSE(reported && keeps == FaultFileSystem::CrashKeeps::kNothing);
      }
    }
    if (!fs.Crashed()) {
      EXPECT_TRUE(reported);
      break;
    }
  }
}

TEST(EdbJournal, TornOrForeignJournalsAreRejected) {
  Journal journal;
  journal.old_size = 100;
  journal.new_size = 120;
  journal.regions.push_back(
      {16, std::vector<std::byte>(8, std::byte{1}), std::vector<std::byte>(8, std::byte{2})});
  journal.regions.push_back({100, {}, std::vector<std::byte>(20, std::byte{3})});
  const std::vector<std::byte> bytes = EncodeJournal(journal);
  const std::optional<Journal> decoded = DecodeJournal(bytes);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->regions.size(), 2u);
  EXPECT_EQ(decoded->regions[1].new_bytes, journal.regions[1].new_bytes);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    EXPECT_FALSE(DecodeJournal(std::span(bytes).first(cut)).has_value()) << "cut at " << cut;
  }
  for (std::size_t flip = 0; flip < bytes.size(); ++flip) {
    std::vector<std::byte> damaged = bytes;
    damaged[flip] ^= std::byte{0x10};
    EXPECT_FALSE(DecodeJournal(damaged).has_value()) << "flip at " << flip;
  }
  // Leftovers of an earlier, longer journal after the end do not matter; zeroed magic voids it.
  std::vector<std::byte> reused = bytes;
  reused.insert(reused.end(), 50, std::byte{0x7F});
  EXPECT_TRUE(DecodeJournal(reused).has_value());
  std::fill(reused.begin(), reused.begin() + 8, std::byte{0});
  EXPECT_FALSE(DecodeJournal(reused).has_value());
}

TEST(EdbJournal, RegionsOutsideTheirSizesAreRejected) {
  const struct {
    const char* name;
    std::uint64_t old_size, new_size, offset;
    std::size_t old_length, new_length;
  } cases[] = {
      {"new bytes beyond the new size", 100, 100, 90, 10, 20},
      {"old bytes beyond the old size", 100, 200, 95, 10, 10},
      {"old bytes missing inside the old size", 100, 100, 10, 0, 10},
      {"old bytes where the old file had none", 100, 200, 150, 10, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Journal journal;
    journal.old_size = c.old_size;
    journal.new_size = c.new_size;
    journal.regions.push_back(
        {c.offset, std::vector<std::byte>(c.old_length), std::vector<std::byte>(c.new_length)});
    EXPECT_FALSE(DecodeJournal(EncodeJournal(journal)).has_value());
  }
}

}  // namespace
}  // namespace quill
