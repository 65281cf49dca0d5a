#include "app/main_window.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "storage/goods_database.h"
#include "support/fake_seams.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

using testing::FakeSeams;
using testing::ShowAndActivate;

class MainWindowTest : public ::testing::Test {
 protected:
  FakeSeams seams_;
};

TEST_F(MainWindowTest, FirstStartWritesTemplateAndListsFourRecords) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  const auto db = seams_.RunFile(QString::fromUtf8(kGoodsDatabaseFileName));
  ASSERT_TRUE(std::filesystem::exists(db));
  EXPECT_EQ(std::filesystem::file_size(db), 916u);
  ListView& list = window.GoodsList();
  ASSERT_EQ(list.RowCount(), 4);
  EXPECT_EQ(list.ColumnCount(), 6);
  EXPECT_EQ(list.CellText(0, 0), u"测试商品"_qs);
  EXPECT_EQ(list.CellText(0, 1), u"K001"_qs);
  EXPECT_EQ(list.CellText(0, 2), u"25 元"_qs);
  EXPECT_EQ(list.CellText(0, 3), u"个"_qs);
  EXPECT_EQ(list.CellText(0, 4), u"100"_qs);
  EXPECT_EQ(list.CellText(0, 5), u"T恤"_qs);
  EXPECT_EQ(list.CurrentRow(), 0);
  EXPECT_TRUE(window.SalesOutButton().isEnabled());
  EXPECT_EQ(seams_.messages.Count(), 0);
}

}  // namespace
}  // namespace quill
