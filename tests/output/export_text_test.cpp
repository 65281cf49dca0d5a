#include "output/export_text.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "output/atomic_file_write.h"
#include "storage/goods_database.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// GBK texts.
const std::string kHeader =
    "\xC3\xFB\xB3\xC6,\xBB\xF5\xBA\xC5,\xB5\xA5\xBC\xDB,\xB5\xA5\xCE\xBB,\xBF\xE2\xB4\xE6,"
    "\xB1\xB8\xD7\xA2,\r\n";  // 名称,货号,单价,单位,库存,备注,
const std::string kName = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7";  // 测试商品
const std::string kTowel = "\xC3\xAB\xBD\xED";                 // 毛巾
const std::string kStrip = "\xCC\xF5";                         // 条
const std::string kTemplateLines[] = {
    kName + ",K001,25,\xB8\xF6,100,T\xD0\xF4\r\n",                     // 个 T恤
    kName + ",K002,125,\xCB\xAB,200,\xBF\xE3\xD7\xD3\r\n",             // 双 裤子
    kName + ",K003,125,\xCC\xF5,199,\xC4\xDA\xD2\xC2\r\n",             // 条 内衣
    kName + ",K004,125500,\xC1\xBE,200,\xBC\xAA\xC6\xD5\xB3\xB5\r\n",  // 辆 吉普车
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExportTextTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("quill-export-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    const fs::path path = dir_ / kGoodsDatabaseFileName;
    ASSERT_TRUE(WriteGoodsTemplateIfMissing(path));
    ASSERT_TRUE(db_.Open(path, kGoodsDatabaseAlias));
    ASSERT_TRUE(db_.SetCurrent(kGoodsDatabaseAlias));
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Add(const std::string& name, const std::string& item, double price, const std::string& unit,
           double stock, const std::string& remark) {
    ASSERT_TRUE(db_.Add({name, item, price, unit, stock, remark}));
  }

  void RemoveAllRecords() {
    for (int record = 1; record <= db_.RecordCount(); ++record) {
      ASSERT_TRUE(db_.GoTo(record));
      ASSERT_TRUE(db_.Delete());
    }
    ASSERT_TRUE(db_.Purge());
  }

  fs::path dir_;
  EdbWorkspace db_;
};

TEST_F(ExportTextTest, TemplateDatabaseGivesHeaderAndFourRecords) {
  std::string expected = kHeader;
  for (const std::string& line : kTemplateLines) expected += line;
  EXPECT_EQ(BuildExportText(db_), expected);
}

TEST_F(ExportTextTest, WorkedExampleWithAnEmptyRemarkEndsInAComma) {
  for (int record : {3, 4}) {
    ASSERT_TRUE(db_.GoTo(record));
    ASSERT_TRUE(db_.Delete());
  }
  ASSERT_TRUE(db_.Purge());
  Add(kTowel, "A12", 9.9, kStrip, 30, "");
  EXPECT_EQ(BuildExportText(db_), kHeader + kTemplateLines[0] + kTemplateLines[1] + kTowel +
                                      ",A12,9.9," + kStrip + ",30,\r\n");
}

TEST_F(ExportTextTest, RecordsMarkedDeletedNeverReappear) {
  ASSERT_TRUE(db_.GoTo(2));
  ASSERT_TRUE(db_.Delete());
  EXPECT_EQ(BuildExportText(db_),
            kHeader + kTemplateLines[0] + kTemplateLines[2] + kTemplateLines[3]);
}

TEST_F(ExportTextTest, EmptyDatabaseGivesTheHeaderOnlyAndNoProgress) {
  RemoveAllRecords();
  std::vector<int> positions;
  EXPECT_EQ(BuildExportText(db_, [&](int p) { positions.push_back(p); }), kHeader);
  EXPECT_TRUE(positions.empty());
}

TEST_F(ExportTextTest, ProgressIsToldOncePerRecord) {
  RemoveAllRecords();
  for (const char* item : {"A1", "A2", "A3"}) Add(kTowel, item, 1, kStrip, 1, "");
  std::vector<int> positions;
  BuildExportText(db_, [&](int p) { positions.push_back(p); });
  EXPECT_EQ(positions, (std::vector<int>{33, 66, 100}));
}

struct ValueCase {
  const char* name;
  double price;
  double stock;
  std::string remark;
  std::string expected_tail;  // the line after "名,K,"
};

class ExportValueTest : public ExportTextTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(ExportValueTest, FieldsFollowTheNumberRulesAndQuoteOnlyWhatWouldSplit) {
  RemoveAllRecords();
  const ValueCase& c = GetParam();
  Add("n", "K", c.price, "u", c.stock, c.remark);
  EXPECT_EQ(BuildExportText(db_), kHeader + "n,K," + c.expected_tail);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ExportValueTest,
    testing::Values(
        ValueCase{"LargePriceUsesTheThreeDigitExponent", 1234567, 1, "", "1.23457e+006,u,1,\r\n"},
        ValueCase{"NegativeStock", 25, -3, "", "25,u,-3,\r\n"},
        ValueCase{"SinglePrecisionTenth", 0.1, 0, "", "0.1,u,0,\r\n"},
        ValueCase{"LargestStock", 1, 2147483647, "", "1,u,2147483647,\r\n"},
        ValueCase{"SmallestStock", 1, -2147483648.0, "", "1,u,-2147483648,\r\n"},
        ValueCase{"CommaInRemarkIsQuoted", 1, 1, "a,b", "1,u,1,\"a,b\"\r\n"},
        ValueCase{"QuoteInRemarkIsDoubled", 1, 1, "5\" \"x\"", "1,u,1,\"5\"\" \"\"x\"\"\"\r\n"},
        ValueCase{"LineBreaksInRemarkAreQuoted", 1, 1, "a\r\nb\nc", "1,u,1,\"a\r\nb\nc\"\r\n"},
        ValueCase{"SpacesAndTabsStayAsStored", 1, 1, " a\tb ", "1,u,1, a\tb \r\n"},
        ValueCase{"LoneQuoteInsideIsQuoted", 1, 1, "x\"", "1,u,1,\"x\"\"\"\r\n"},
        ValueCase{"GbkTextStaysByteForByte", 1, 1, "\xBF\xE3\xD7\xD3\x81\x40",
                  "1,u,1,\xBF\xE3\xD7\xD3\x81\x40\r\n"},
        ValueCase{"FullTwentyByteRemark", 1, 1, "01234567890123456789",
                  "1,u,1,01234567890123456789\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExportLineTest, LineAlwaysHasSixFields) {
  const std::vector<EdbValue> four = {std::string("a"), std::string("b"), 2.5, std::string("c")};
  EXPECT_EQ(ExportDataLine(four), "a,b,2.5,c,,\r\n");
  const std::vector<EdbValue> none;
  EXPECT_EQ(ExportDataLine(none), ",,,,,\r\n");
}

TEST(ExportLineTest, HeaderPutsACommaAfterEveryName) {
  EXPECT_EQ(ExportHeaderLine(std::vector<std::string>{"a", "b"}), "a,b,\r\n");
  EXPECT_EQ(ExportHeaderLine(std::vector<std::string>{}), "\r\n");
}

TEST(ExportLineTest, QuotingLeavesPlainTextsAlone) {
  EXPECT_EQ(QuoteExportField(""), "");
  EXPECT_EQ(QuoteExportField("plain"), "plain");
  EXPECT_EQ(QuoteExportField("\""), "\"\"\"\"");
}

struct ProgressCase {
  int done;
  int total;
  int position;
};

class ExportProgressTest : public testing::TestWithParam<ProgressCase> {};

TEST_P(ExportProgressTest, QuotientThenProductInDoublePrecision) {
  EXPECT_EQ(ExportProgressPosition(GetParam().done, GetParam().total), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Positions, ExportProgressTest,
                         testing::Values(ProgressCase{1, 3, 33}, ProgressCase{2, 3, 66},
                                         ProgressCase{3, 3, 100}, ProgressCase{1, 1, 100},
                                         ProgressCase{29, 100, 28},  // 0.29 * 100 lies below 29
                                         ProgressCase{1, 1000000, 0}, ProgressCase{0, 0, 0}));

TEST_F(ExportTextTest, ExportPathJoinsTheDirectoryAndTheFileName) {
  EXPECT_EQ(ExportFilePath("/home/u/Desktop/"), fs::path("/home/u/Desktop/数据库文件.xls"));
  EXPECT_EQ(ExportFilePath("/data"), fs::path("/data/数据库文件.xls"));
  EXPECT_EQ(ExportFilePath(""), fs::path("数据库文件.xls"));
}

TEST_F(ExportTextTest, WrittenFileHoldsExactlyTheTextWithoutByteOrderMark) {
  const std::string text = BuildExportText(db_);
  const fs::path path = ExportFilePath(dir_);
  ASSERT_FALSE(WriteFileReplacing(path, text));
  const std::string written = ReadAll(path);
  EXPECT_EQ(written, text);
  EXPECT_EQ(written.substr(0, 4), "\xC3\xFB\xB3\xC6");
}

}  // namespace
}  // namespace quill
