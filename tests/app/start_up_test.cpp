#include "app/start_up.h"

#include <filesystem>

#include <QTest>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "storage/goods_database.h"
#include "support/fake_seams.h"
#include "support/gui_wait.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

using testing::FakeSeams;
using testing::WaitUntil;
using testing::WhenModalShown;

struct CloseCase {
  const char* name;
  bool by_escape;
};

class StartUpTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(StartUpTest, RunsUntilMainWindowClosesThenGivesZero) {
  FakeSeams seams;
  int rows_seen = -1;
  const bool by_escape = GetParam().by_escape;
  auto ran = WhenModalShown<MainWindow>(u"MainWindow"_qs, [&](MainWindow& w) {
    ASSERT_TRUE(WaitUntil([&] { return w.FirstActivationDone(); }));
    rows_seen = w.GoodsList().RowCount();
    if (by_escape) {
      QTest::keyClick(&w, Qt::Key_Escape);
    } else {
      w.close();  // the close box
    }
  });
  EXPECT_EQ(RunQuillbin(), 0);
  EXPECT_TRUE(*ran);
  EXPECT_EQ(rows_seen, 4);
  EXPECT_TRUE(std::filesystem::exists(seams.RunFile(QString::fromUtf8(kGoodsDatabaseFileName))));
}

INSTANTIATE_TEST_SUITE_P(Closings, StartUpTest,
                         ::testing::Values(CloseCase{"escape", true}, CloseCase{"close_box", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quill
