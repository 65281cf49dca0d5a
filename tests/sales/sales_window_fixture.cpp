#include "sales/sales_window_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "storage/goods_database.h"
#include "support/gui_wait.h"
#include "toolkit/gb18030.h"
#include "toolkit/list_view.h"

namespace quill::testing {

void SalesWindowTest::SetUp() {
  SeamSet set;
  set.message_boxes = &seams.messages;
  set.shell = &seams.shell;
  set.folder_picker = &seams.folder_picker;
  set.clock = &clock;
  set.run_directory = seams.RunDir();
  set.server_address = QStringLiteral("http://127.0.0.1:9");
  set.desktop_directory = seams.DesktopDir();
  InstallSeams(set);
  main = std::make_unique<MainWindow>();
  ASSERT_TRUE(ShowAndActivate(*main));
}

void SalesWindowTest::TearDown() {
  main.reset();
  seams.Reinstall();
}

int SalesWindowTest::AddAndSelectGoods(const QString& name, const QString& item_number,
                                       double price, int stock) {
  EdbWorkspace& db = main->Database();
  EXPECT_TRUE(db.Add({ToGb18030(name), ToGb18030(item_number), price, std::string("\xB8\xF6"),
                      static_cast<double>(stock), std::string()}));  // unit 个
  const int bookmark = db.Bookmark();
  main->LoadGoodsList();
  ListView& list = main->GoodsList();
  for (int row = 0; row < list.RowCount(); ++row) {
    if (list.RowValue(row) == bookmark) {
      list.SetCurrentRow(row);
      return row;
    }
  }
  ADD_FAILURE() << "the new goods are not listed";
  return -1;
}

int SalesWindowTest::StoredStock(int bookmark) {
  EdbWorkspace& db = main->Database();
  EXPECT_TRUE(db.GoToBookmark(bookmark));
  return static_cast<int>(db.ReadNumber(kStock));
}

std::string SalesWindowTest::DayFileBytes(const QString& name) const {
  std::ifstream in(RunPath(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SalesWindowTest::DayFileExists(const QString& name) const {
  return std::filesystem::exists(RunPath(name));
}

}  // namespace quill::testing
