#include <string>

#include <gtest/gtest.h>

#include "storage/edb_database.h"
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

TEST(EdbFileAccess, ScanningMakesNoFileCallPerRecordOrField) {
  FaultFileSystem fs;
  fs.SetContents(kPath, TemplateBytes());
  auto db = EdbDatabase::Open(kPath, fs);
  ASSERT_NE(db, nullptr);
  for (int i = 0; i < 50; ++i)
    ASSERT_TRUE(db->Add({std::string("g") + std::to_string(i), std::string("n"), 1.0}));

  const std::int64_t before_count = fs.Calls();
  const int count = db->RecordCount();
  EXPECT_LE(fs.Calls() - before_count, 1);  // one look at the file, nothing read
  ASSERT_EQ(count, 54);
  const std::int64_t before_scan = fs.Calls();
  for (int r = 1; r <= count; ++r) {
    ASSERT_TRUE(db->GoTo(r));
    for (int f = 1; f <= db->FieldCount(); ++f) db->Read(f);
    db->ReadText(kName);
    db->ReadNumber(kStock);
    db->Bookmark();
    db->IsDeleted();
  }
  EXPECT_EQ(fs.Calls(), before_scan);
}

TEST(EdbFileAccess, TemplateIsWrittenWhereHardLinksAreMissing) {
  FaultFileSystem fs;
  fs.DisableLinks();
  ASSERT_TRUE(WriteGoodsTemplateIfMissing(kPath, fs));
  EXPECT_EQ(fs.AfterCrash(FaultFileSystem::CrashKeeps::kNothing, 0)->Contents(kPath),
            TemplateBytes());
  fs.SetContents(kPath, "mine");
  EXPECT_TRUE(WriteGoodsTemplateIfMissing(kPath, fs));
  EXPECT_EQ(fs.Contents(kPath), "mine");
}

TEST(EdbFileAccess, FailedTemplateWriteNeverLeavesHalfAFile) {
  for (bool links : {true, false}) {
    for (auto fault : {FaultFileSystem::Fault::kError, FaultFileSystem::Fault::kShortWrite,
                       FaultFileSystem::Fault::kSyncLosesWrites}) {
      for (int n = 1;; ++n) {
        SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at call " +
                     std::to_string(n) + (links ? "" : " without hard links"));
        FaultFileSystem fs;
        if (!links) fs.DisableLinks();
        fs.FailCall(n, fault);
        const bool reported = WriteGoodsTemplateIfMissing(kPath, fs);
        if (fs.Exists(kPath)) {
          EXPECT_EQ(fs.Contents(kPath), TemplateBytes());
        }
        if (reported) {
          ASSERT_TRUE(fs.Exists(kPath));
          auto cut = fs.AfterCrash(FaultFileSystem::CrashKeeps::kNothing, 0);
          EXPECT_EQ(cut->Contents(kPath), TemplateBytes()) << "reported but not durable";
        }
        if (!fs.FaultHit()) {
          EXPECT_TRUE(reported);
          break;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quill
