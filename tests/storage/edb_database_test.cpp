#include "storage/edb_database.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "storage/edb_journal.h"
#include "storage/goods_database.h"
#include "storage/scratch_directory.h"

namespace quill {
namespace {

const std::string kTestGoods = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7";  // 测试商品
const std::string kPiece = "\xB8\xF6";                              // 个

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// True when a journal that would still be replayed lies beside the database.
bool LiveJournalBeside(const std::filesystem::path& database) {
  const std::string bytes = FileBytes(database.string() + "-journal");
  return DecodeJournal(std::as_bytes(std::span(bytes.data(), bytes.size()))).has_value();
}

std::filesystem::path Fixture(const std::string& name) {
  const char* root = std::getenv("QUILL_TEST_DATA");
  return std::filesystem::path(root ? root : "tests/data") / "edb" / name;
}

std::vector<EdbValue> Goods(const std::string& name, double price = 1.5, double stock = 3) {
  return {name, std::string("N-") + name, price, kPiece, stock, std::string("r")};
}

class EdbDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_ / "goods.edb";
    ASSERT_TRUE(WriteGoodsTemplateIfMissing(path_));
    db_ = EdbDatabase::Open(path_);
    ASSERT_NE(db_, nullptr);
  }

  std::vector<int> Bookmarks() {
    std::vector<int> out;
    for (int r = 1; r <= db_->RecordCount(); ++r) {
      db_->GoTo(r);
      out.push_back(db_->Bookmark());
    }
    return out;
  }

  test::ScratchDirectory dir_;
  std::filesystem::path path_;
  std::unique_ptr<EdbDatabase> db_;
};

TEST_F(EdbDatabaseTest, OpeningAndReadingNeverChangeTheFile) {
  const std::string before = FileBytes(path_);
  const auto time = std::filesystem::last_write_time(path_);
  for (int r = 1; r <= db_->RecordCount(); ++r) {
    db_->GoTo(r);
    for (int f = 1; f <= db_->FieldCount(); ++f) db_->Read(f);
  }
  auto again = EdbDatabase::Open(path_);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(FileBytes(path_), before);
  EXPECT_EQ(std::filesystem::last_write_time(path_), time);
  EXPECT_FALSE(std::filesystem::exists(path_.string() + "-journal"));
}

TEST_F(EdbDatabaseTest, GoToClampsToTheRecords) {
  const struct {
    int target;
    int bookmark;
  } cases[] = {{INT_MIN, 16}, {-5, 16}, {0, 16}, {1, 16}, {3, 18}, {4, 19}, {5, 19}, {INT_MAX, 19}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    EXPECT_TRUE(db_->GoTo(c.target));
    EXPECT_EQ(db_->Bookmark(), c.bookmark);
  }
}

TEST(EdbDatabase, EmptyFileHasNoCurrentRecord) {
  auto db = EdbDatabase::Open(Fixture("no_records.edb"));
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->RecordCount(), 0);
  EXPECT_FALSE(db->GoTo(1));
  EXPECT_EQ(db->Bookmark(), 0);
  EXPECT_EQ(db->ReadText(kName), "");
  EXPECT_EQ(db->ReadNumber(kStock), 0.0);
  EXPECT_EQ(LastEdbError(), EdbError::kNotFound);
}

TEST_F(EdbDatabaseTest, GoToBookmarkFindsTheRecordOrLeavesTheCurrentOne) {
  ASSERT_TRUE(db_->GoToBookmark(18));
  EXPECT_EQ(db_->ReadText(kItemNumber), "K003");
  for (int missing : {0, -18, 15, 20, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(missing);
    EXPECT_FALSE(db_->GoToBookmark(missing));
    EXPECT_EQ(LastEdbError(), EdbError::kNotFound);
    EXPECT_EQ(db_->Bookmark(), 18);
    EXPECT_EQ(db_->ReadText(kItemNumber), "K003");
  }
}

TEST_F(EdbDatabaseTest, AddAppendsWithTheNextIdentifier) {
  ASSERT_TRUE(db_->Add(Goods("A", 2.5, 7)));
  EXPECT_EQ(db_->Bookmark(), 20);
  EXPECT_EQ(db_->ReadText(kName), "A");
  ASSERT_TRUE(db_->Add(Goods("B")));
  EXPECT_EQ(db_->Bookmark(), 21);
  EXPECT_EQ(db_->RecordCount(), 6);
  EXPECT_EQ(std::filesystem::file_size(path_), 548u + 92u * 6);
  EXPECT_FALSE(LiveJournalBeside(path_));

  auto reopened = EdbDatabase::Open(path_);
  ASSERT_NE(reopened, nullptr);
  ASSERT_TRUE(reopened->GoTo(5));
  EXPECT_EQ(reopened->Bookmark(), 20);
  EXPECT_EQ(reopened->ReadText(kName), "A");
  EXPECT_EQ(reopened->ReadText(kItemNumber), "N-A");
  EXPECT_EQ(reopened->ReadNumber(kUnitPrice), 2.5);
  EXPECT_EQ(reopened->ReadText(kUnit), kPiece);
  EXPECT_EQ(reopened->ReadNumber(kStock), 7.0);
  EXPECT_EQ(reopened->ReadText(kRemark), "r");
  ASSERT_TRUE(reopened->Add(Goods("C")));
  EXPECT_EQ(reopened->Bookmark(), 22);
}

TEST_F(EdbDatabaseTest, AddWithFewerValuesLeavesTheRestEmpty) {
  ASSERT_TRUE(db_->Add({std::string("only a name")}));
  EXPECT_EQ(db_->ReadText(kName), "only a name");
  EXPECT_EQ(db_->ReadText(kRemark), "");
  EXPECT_EQ(db_->ReadNumber(kStock), 0.0);
}

TEST_F(EdbDatabaseTest, TextsAreCutToTheFieldWidth) {
  const struct {
    const char* name;
    std::string stored;
    std::string read;
  } cases[] = {
      {"empty", "", ""},
      {"19 bytes", std::string(19, 'a'), std::string(19, 'a')},
      {"exactly 20 bytes, no terminator", std::string(20, 'b'), std::string(20, 'b')},
      {"21 bytes", std::string(21, 'c'), std::string(20, 'c')},
      {"cut inside a two-byte character", std::string(19, 'd') + "\xB2\xE2",
       std::string(19, 'd') + "\xB2"},
      {"embedded terminator", std::string("ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(db_->Add({c.stored, c.stored}));
    EXPECT_EQ(db_->ReadText(kName), c.read);
    EXPECT_EQ(db_->ReadText(kItemNumber), c.read);
    ASSERT_TRUE(db_->GoToBookmark(16));
    ASSERT_TRUE(db_->Modify({c.stored}));
    EXPECT_EQ(db_->ReadText(kName), c.read);
    EXPECT_EQ(db_->ReadText(kItemNumber), "K001");
  }
}

TEST_F(EdbDatabaseTest, NumbersAreConvertedToTheFieldType) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    int field;
    EdbValue stored;
    EdbValue read;
  } cases[] = {
      {"integer cut toward zero", kStock, 2.9, 2.0},
      {"negative integer cut toward zero", kStock, -2.9, -2.0},
      {"largest stock", kStock, 2147483647.0, 2147483647.0},
      {"above int32 saturates", kStock, 1e10, 2147483647.0},
      {"below int32 saturates", kStock, -1e10, -2147483648.0},
      {"infinity saturates", kStock, inf, 2147483647.0},
      {"NaN becomes 0", kStock, nan, 0.0},
      {"text read as its leading number", kStock, std::string("37 pieces"), 37.0},
      {"text without a number", kStock, std::string("none"), 0.0},
      {"float keeps single precision", kUnitPrice, 0.1, static_cast<double>(0.1f)},
      {"float saturates", kUnitPrice, 1e300, static_cast<double>(FLT_MAX)},
      {"float saturates below", kUnitPrice, -1e300, -static_cast<double>(FLT_MAX)},
      {"float from text", kUnitPrice, std::string("37.5"), 37.5},
      {"number into a text field", kName, 37.5, std::string("37.5")},
      {"large number into a text field", kName, 1e20, std::string("1e+20")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::optional<EdbValue>> values(6);
    values[static_cast<std::size_t>(c.field - 1)] = c.stored;
    ASSERT_TRUE(db_->Modify(values));
    EXPECT_EQ(db_->Read(c.field), c.read);
  }
}

TEST_F(EdbDatabaseTest, ReadTextAndReadNumberDoNotConvert) {
  ASSERT_TRUE(db_->GoTo(1));
  EXPECT_EQ(db_->ReadText(kStock), "");
  EXPECT_EQ(db_->ReadNumber(kName), 0.0);
}

TEST_F(EdbDatabaseTest, ModifyRewritesInPlaceAndKeepsLeftOutFields) {
  ASSERT_TRUE(db_->GoTo(2));
  ASSERT_TRUE(db_->Modify({std::nullopt, std::nullopt, std::nullopt, std::nullopt, 55.0}));
  EXPECT_EQ(db_->Bookmark(), 17);
  EXPECT_EQ(std::filesystem::file_size(path_), 916u);
  auto reopened = EdbDatabase::Open(path_);
  ASSERT_TRUE(reopened->GoTo(2));
  EXPECT_EQ(reopened->ReadNumber(kStock), 55.0);
  EXPECT_EQ(reopened->ReadText(kItemNumber), "K002");
  EXPECT_EQ(reopened->ReadNumber(kUnitPrice), 125.0);
  EXPECT_EQ(reopened->ReadText(kRemark), "\xBF\xE3\xD7\xD3");
  // Only the changed record differs from the template.
  const std::string bytes = FileBytes(path_);
  const auto image = GoodsTemplateImage();
  const std::string original(reinterpret_cast<const char*>(image.data()), image.size());
  EXPECT_EQ(bytes.substr(0, 640 + 68), original.substr(0, 640 + 68));
  EXPECT_EQ(bytes.substr(640 + 72), original.substr(640 + 72));
}

TEST_F(EdbDatabaseTest, ClosingLeavesTheDatabaseAloneInItsDirectory) {
  ASSERT_TRUE(db_->Add(Goods("a")));
  ASSERT_TRUE(db_->GoTo(1));
  ASSERT_TRUE(db_->Modify({std::nullopt, std::nullopt, std::nullopt, std::nullopt, 7.0}));
  auto other = EdbDatabase::Open(path_);
  ASSERT_NE(other, nullptr);
  other.reset();  // a second handle closing first leaves the first one working
  ASSERT_TRUE(db_->Delete());
  ASSERT_TRUE(db_->Purge());
  db_.reset();
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"goods.edb"});
  auto reopened = EdbDatabase::Open(path_);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->RecordCount(), 4);
}

TEST_F(EdbDatabaseTest, DeleteMarksAndPurgeRemovesAndRenumbers) {
  ASSERT_TRUE(db_->GoTo(2));
  ASSERT_TRUE(db_->Delete());
  EXPECT_TRUE(db_->IsDeleted());
  ASSERT_TRUE(db_->Delete());  // deleting twice changes nothing
  EXPECT_EQ(db_->RecordCount(), 4);
  EXPECT_EQ(std::filesystem::file_size(path_), 916u);
  ASSERT_TRUE(db_->GoTo(4));
  ASSERT_TRUE(db_->Delete());

  ASSERT_TRUE(db_->Purge());
  EXPECT_EQ(db_->Bookmark(), 16);  // record 1 is current
  EXPECT_EQ(db_->RecordCount(), 2);
  EXPECT_EQ(Bookmarks(), (std::vector<int>{16, 18}));
  EXPECT_EQ(std::filesystem::file_size(path_), 548u + 2 * 92);
  ASSERT_TRUE(db_->GoTo(2));
  EXPECT_EQ(db_->ReadText(kItemNumber), "K003");
  EXPECT_FALSE(db_->IsDeleted());
  EXPECT_FALSE(std::filesystem::exists(path_.string() + "-purge"));
}

TEST_F(EdbDatabaseTest, IdentifiersAreNeverReusedAfterAPurge) {
  ASSERT_TRUE(db_->Add(Goods("A")));
  ASSERT_TRUE(db_->Add(Goods("B")));
  ASSERT_EQ(db_->Bookmark(), 21);
  ASSERT_TRUE(db_->Delete());
  ASSERT_TRUE(db_->Purge());
  ASSERT_TRUE(db_->Add(Goods("C")));
  EXPECT_EQ(db_->Bookmark(), 22);
  auto reopened = EdbDatabase::Open(path_);
  ASSERT_TRUE(reopened->Add(Goods("D")));
  EXPECT_EQ(reopened->Bookmark(), 23);
}

TEST_F(EdbDatabaseTest, PurgeWithNothingMarkedKeepsTheFile) {
  ASSERT_TRUE(db_->GoTo(3));
  ASSERT_TRUE(db_->Purge());
  EXPECT_EQ(db_->Bookmark(), 16);
  EXPECT_EQ(FileBytes(path_),
            std::string(reinterpret_cast<const char*>(GoodsTemplateImage().data()), 916));
}

TEST_F(EdbDatabaseTest, PurgingEveryRecordLeavesAnEmptyDatabase) {
  for (int r = 1; r <= 4; ++r) {
    ASSERT_TRUE(db_->GoTo(r));
    ASSERT_TRUE(db_->Delete());
  }
  ASSERT_TRUE(db_->Purge());
  EXPECT_EQ(db_->RecordCount(), 0);
  EXPECT_EQ(db_->Bookmark(), 0);
  EXPECT_FALSE(db_->Modify({std::string("x")}));
  EXPECT_FALSE(db_->Delete());
  ASSERT_TRUE(db_->Add(Goods("A")));
  EXPECT_EQ(db_->Bookmark(), 20);
  EXPECT_EQ(std::filesystem::file_size(path_), 548u + 92);
}

TEST(EdbDatabase, NewIdentifierStaysAboveEveryIdentifierInTheFile) {
  test::ScratchDirectory dir;
  const auto path = dir / "low-next.edb";
  std::filesystem::copy_file(Fixture("next_id_below_identifiers.edb"), path);
  auto db = EdbDatabase::Open(path);
  ASSERT_NE(db, nullptr);
  ASSERT_TRUE(db->Add(Goods("A")));
  EXPECT_EQ(db->Bookmark(), 20);
  ASSERT_TRUE(db->Add(Goods("B")));
  EXPECT_EQ(db->Bookmark(), 21);
}

TEST(EdbDatabase, TrailingBytesAfterTheRecordsAreIgnored) {
  test::ScratchDirectory dir;
  const auto path = dir / "trailing.edb";
  std::filesystem::copy_file(Fixture("trailing_bytes.edb"), path);
  auto db = EdbDatabase::Open(path);
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->RecordCount(), 4);
  ASSERT_TRUE(db->Add(Goods("A")));
  auto reopened = EdbDatabase::Open(path);
  ASSERT_NE(reopened, nullptr);
  ASSERT_TRUE(reopened->GoTo(5));
  EXPECT_EQ(reopened->ReadText(kName), "A");
}

// A file of every field type, built by hand: each type reads and converts on its own terms.
TEST(EdbDatabase, EveryFieldTypeReadsAndConverts) {
  struct Field {
    std::int32_t type;
    std::int32_t width;
  };
  const Field fields[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0},  {5, 0},  {6, 0},
                          {7, 0}, {8, 0}, {9, 0}, {10, 5}, {11, 0}, {12, 0}};
  std::string image(116 + 72 * std::size(fields), '\0');
  auto put32 = [&](std::string& out, std::size_t at, std::int32_t value) {
    for (int b = 0; b < 4; ++b)
      out[at + b] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * b));
  };
  image.replace(0, 4, "WEDB");
  put32(image, 4, 0x00010000);
  put32(image, 20, 1);
  std::int32_t offset = 4;
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    const std::size_t at = 116 + 72 * i;
    image.replace(at, 2, "F" + std::string(1, static_cast<char>('a' + i)));
    put32(image, at + 20, fields[i].type);
    put32(image, at + 24, offset);
    put32(image, at + 28, fields[i].width);
    const std::int32_t sizes[] = {0, 1, 2, 4, 8, 4, 8, 1, 8, 4, 0, 4, 4};
    offset += fields[i].type == 10 ? fields[i].width : sizes[fields[i].type];
  }
  put32(image, 24, offset);  // record length
  put32(image, 112, static_cast<std::int32_t>(std::size(fields)));
  test::ScratchDirectory dir;
  const auto path = dir / "types.edb";
  std::ofstream(path, std::ios::binary) << image;
  auto db = EdbDatabase::Open(path);
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->FieldCount(), 12);
  EXPECT_EQ(db->FieldName(10), "Fj");
  EXPECT_EQ(db->RecordCount(), 0);

  const double kLongMax = 9223372036854775807.0;
  const struct {
    const char* name;
    int field;
    EdbValue stored;
    EdbValue read;
  } cases[] = {
      {"byte", 1, 200.0, 200.0},
      {"byte saturates above", 1, 300.0, 255.0},
      {"byte saturates below", 1, -5.0, 0.0},
      {"short", 2, -12345.0, -12345.0},
      {"short saturates", 2, 40000.0, 32767.0},
      {"integer", 3, -7.0, -7.0},
      {"long", 4, 1e15, 1e15},
      {"long saturates", 4, 1e19, kLongMax},
      {"long saturates below", 4, -1e19, -kLongMax - 1},
      {"float", 5, 0.5, 0.5},
      {"double keeps every bit", 6, 1.0 / 3.0, 1.0 / 3.0},
      {"logical", 7, 5.0, 1.0},
      {"logical false", 7, 0.0, 0.0},
      {"date-time", 8, 42321.92928240741, 42321.92928240741},
      {"routine reference", 9, 12.0, 12.0},
      {"text of width 5", 10, std::string("abcdefg"), std::string("abcde")},
      {"byte set reference", 11, 3e9, 2147483647.0},
      {"memo reference", 12, 44.0, 44.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<EdbValue> values(12, EdbValue(0.0));
    values[9] = std::string();
    values[static_cast<std::size_t>(c.field - 1)] = c.stored;
    ASSERT_TRUE(db->Add(values));
    EXPECT_EQ(db->Read(c.field), c.read);
    auto reopened = EdbDatabase::Open(path);
    ASSERT_TRUE(reopened->GoTo(INT_MAX));
    EXPECT_EQ(reopened->Read(c.field), c.read);
  }
  EXPECT_EQ(std::filesystem::file_size(path),
            image.size() + std::size(cases) * static_cast<std::size_t>(offset));
}

TEST(EdbDatabase, MissingFileFailsToOpen) {
  test::ScratchDirectory dir;
  EXPECT_EQ(EdbDatabase::Open(dir / "none.edb"), nullptr);
  EXPECT_EQ(LastEdbError(), EdbError::kNotFound);
}

class BrokenFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(BrokenFixture, OpenFailsWithoutChangingTheFile) {
  const auto path = Fixture(GetParam());
  ASSERT_TRUE(std::filesystem::exists(path));
  const std::string before = FileBytes(path);
  EXPECT_EQ(EdbDatabase::Open(path), nullptr);
  EXPECT_EQ(LastEdbError(), EdbError::kBadFormat);
  EXPECT_EQ(FileBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BrokenFixture,
    ::testing::Values("empty.edb", "header_only.edb", "bad_magic.edb", "version_too_new.edb",
                      "record_count_negative.edb", "record_count_beyond_size.edb",
                      "record_count_absurd.edb", "truncated_last_record.edb", "next_id_zero.edb",
                      "next_id_negative.edb", "record_length_too_small.edb",
                      "record_length_negative.edb", "field_count_zero.edb",
                      "field_count_absurd.edb", "field_count_beyond_size.edb",
                      "descriptor_offset_outside_record.edb", "descriptor_offset_negative.edb",
                      "descriptor_offset_in_record_header.edb", "unknown_type_code.edb",
                      "text_width_too_wide.edb", "text_width_zero.edb",
                      "field_name_unterminated.edb"),
    [](const ::testing::TestParamInfo<const char*>& info) {
      std::string name = info.param;
      name = name.substr(0, name.find('.'));
      return name;
    });

TEST_F(EdbDatabaseTest, ErrorCodeBelongsToTheThread) {
  EXPECT_FALSE(db_->GoToBookmark(999));
  ASSERT_EQ(LastEdbError(), EdbError::kNotFound);
  EdbError seen_by_other = EdbError::kIo;
  std::thread([&] { seen_by_other = LastEdbError(); }).join();
  EXPECT_EQ(seen_by_other, EdbError::kNone);
  EXPECT_EQ(LastEdbError(), EdbError::kNotFound);
  EXPECT_TRUE(db_->GoToBookmark(16));
  EXPECT_EQ(LastEdbError(), EdbError::kNone);
}

TEST_F(EdbDatabaseTest, ChangesOfAnotherHandleAreSeenAfterTheCount) {
  auto other = EdbDatabase::Open(path_);
  ASSERT_TRUE(other->Add(Goods("elsewhere")));
  ASSERT_TRUE(other->GoToBookmark(17));
  ASSERT_TRUE(other->Modify({std::string("renamed")}));
  EXPECT_EQ(db_->RecordCount(), 5);
  ASSERT_TRUE(db_->GoToBookmark(20));
  EXPECT_EQ(db_->ReadText(kName), "elsewhere");
  ASSERT_TRUE(db_->GoToBookmark(17));
  EXPECT_EQ(db_->ReadText(kName), "renamed");
}

TEST_F(EdbDatabaseTest, CurrentRecordPurgedByAnotherHandleIsGone) {
  ASSERT_TRUE(db_->GoToBookmark(18));
  auto other = EdbDatabase::Open(path_);
  ASSERT_TRUE(other->GoToBookmark(18));
  ASSERT_TRUE(other->Delete());
  ASSERT_TRUE(other->Purge());
  EXPECT_EQ(db_->RecordCount(), 3);
  EXPECT_EQ(db_->Bookmark(), 0);
  EXPECT_EQ(db_->ReadText(kItemNumber), "");
  EXPECT_EQ(LastEdbError(), EdbError::kRecordGone);
  EXPECT_FALSE(db_->Modify({std::string("x")}));
  EXPECT_EQ(LastEdbError(), EdbError::kRecordGone);
}

TEST(EdbDatabase, NoIdentifierLeftMeansAddFailsAndChangesNothing) {
  const struct {
    const char* name;
    std::int32_t next_id;
    std::int32_t last_record_id;
  } cases[] = {
      {"next identifier at the maximum", INT32_MAX, 19},
      {"an identifier at the maximum", 20, INT32_MAX},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDirectory dir;
    const auto path = dir / "full.edb";
    std::string image(reinterpret_cast<const char*>(GoodsTemplateImage().data()), 916);
    for (int b = 0; b < 4; ++b) {
      image[20 + b] = static_cast<char>(static_cast<std::uint32_t>(c.next_id) >> (8 * b));
      image[548 + 3 * 92 + b] =
          static_cast<char>(static_cast<std::uint32_t>(c.last_record_id) >> (8 * b));
    }
    std::ofstream(path, std::ios::binary) << image;
    auto db = EdbDatabase::Open(path);
    ASSERT_NE(db, nullptr);
    EXPECT_FALSE(db->Add(Goods("one too many")));
    EXPECT_EQ(LastEdbError(), EdbError::kFull);
    EXPECT_EQ(FileBytes(path), image);
  }
}

TEST_F(EdbDatabaseTest, TornJournalIsIgnoredAndTheFileKept) {
  const std::string before = FileBytes(path_);
  std::ofstream(path_.string() + "-journal", std::ios::binary) << "QJOURNAL and then garbage";
  auto reopened = EdbDatabase::Open(path_);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(FileBytes(path_), before);
  ASSERT_TRUE(reopened->Add(Goods("A")));
  EXPECT_FALSE(LiveJournalBeside(path_));
}

TEST_F(EdbDatabaseTest, OversizedJournalIsIgnored) {
  const std::string before = FileBytes(path_);
  std::string huge = "QJOURNAL";
  huge.resize(9u << 20, '\x7F');
  std::ofstream(path_.string() + "-journal", std::ios::binary) << huge;
  auto reopened = EdbDatabase::Open(path_);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(FileBytes(path_), before);
  EXPECT_TRUE(reopened->Add(Goods("A")));
}

TEST_F(EdbDatabaseTest, InterruptedChangeIsUndoneOnOpen) {
  // A modify of record 2 that got as far as half its new bytes.
  const std::string before = FileBytes(path_);
  Journal journal;
  journal.old_size = journal.new_size = before.size();
  JournalRegion region;
  region.offset = 640;
  for (int i = 0; i < 92; ++i) {
    region.old_bytes.push_back(static_cast<std::byte>(before[640 + i]));
    region.new_bytes.push_back(std::byte{0x41});
  }
  journal.regions.push_back(region);
  const std::vector<std::byte> encoded = EncodeJournal(journal);
  std::ofstream(path_.string() + "-journal", std::ios::binary)
      .write(reinterpret_cast<const char*>(encoded.data()),
             static_cast<std::streamsize>(encoded.size()));
  std::string torn = before;
  torn.replace(640, 46, std::string(46, 'A'));
  std::ofstream(path_, std::ios::binary | std::ios::trunc) << torn;

  auto reopened = EdbDatabase::Open(path_);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(FileBytes(path_), before);
  EXPECT_FALSE(LiveJournalBeside(path_));
}

using EdbDatabaseDeathTest = EdbDatabaseTest;

TEST_F(EdbDatabaseDeathTest, ReadingAFieldThatDoesNotExistStopsTheProgram) {
  for (int field : {0, 7, -1}) {
    EXPECT_DEATH(db_->Read(field), "field");
  }
}

TEST(EdbWorkspace, OperationsActOnTheCurrentDatabase) {
  test::ScratchDirectory dir;
  ASSERT_TRUE(WriteGoodsTemplateIfMissing(dir / "a.edb"));
  ASSERT_TRUE(WriteGoodsTemplateIfMissing(dir / "b.edb"));
  EdbWorkspace workspace;
  ASSERT_TRUE(workspace.Open(dir / "a.edb", "A"));
  ASSERT_TRUE(workspace.Open(dir / "b.edb", "B"));
  ASSERT_TRUE(workspace.SetCurrent("B"));
  ASSERT_TRUE(workspace.Add(Goods("in B")));
  EXPECT_EQ(workspace.RecordCount(), 5);
  ASSERT_TRUE(workspace.SetCurrent("A"));
  EXPECT_EQ(workspace.RecordCount(), 4);
  EXPECT_FALSE(workspace.SetCurrent("C"));
  EXPECT_EQ(LastEdbError(), EdbError::kNotFound);
  EXPECT_EQ(workspace.RecordCount(), 4);  // a failed switch keeps the current database
  EXPECT_FALSE(workspace.Open(dir / "missing.edb", "M"));
}

TEST(EdbWorkspace, WithoutADatabaseCountsAreZeroAndChangesFail) {
  EdbWorkspace workspace;
  EXPECT_EQ(workspace.Current(), nullptr);
  EXPECT_EQ(workspace.FieldCount(), 0);
  EXPECT_EQ(workspace.RecordCount(), 0);
  EXPECT_EQ(workspace.Bookmark(), 0);
  const struct {
    const char* name;
    bool (*call)(EdbWorkspace&);
  } changes[] = {
      {"go to", [](EdbWorkspace& w) { return w.GoTo(1); }},
      {"go to bookmark", [](EdbWorkspace& w) { return w.GoToBookmark(16); }},
      {"add", [](EdbWorkspace& w) { return w.Add(Goods("x")); }},
      {"modify", [](EdbWorkspace& w) { return w.Modify({std::string("x")}); }},
      {"delete", [](EdbWorkspace& w) { return w.Delete(); }},
      {"purge", [](EdbWorkspace& w) { return w.Purge(); }},
  };
  for (const auto& change : changes) {
    SCOPED_TRACE(change.name);
    EXPECT_FALSE(change.call(workspace));
    EXPECT_EQ(LastEdbError(), EdbError::kNoDatabase);
  }
}

TEST(EdbWorkspaceDeathTest, ReadingWithoutADatabaseStopsTheProgram) {
  EdbWorkspace workspace;
  EXPECT_DEATH(workspace.Read(1), "without a current database");
  EXPECT_DEATH(workspace.ReadText(1), "without a current database");
  EXPECT_DEATH(workspace.ReadNumber(1), "without a current database");
}

}  // namespace
}  // namespace quill
