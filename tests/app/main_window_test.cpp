#include "app/main_window.h"

#include <filesystem>
#include <fstream>

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "app/row_striping.h"
#include "app/skin.h"
#include "goods_fixture.h"
#include "storage/edb_database.h"
#include "storage/goods_database.h"
#include "support/fake_seams.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_box.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/picture_box.h"
#include "toolkit/status_bar.h"
#include "toolkit/timer.h"

namespace quill {
namespace {

using testing::FakeSeams;
using testing::GoodsValues;
using testing::ReadWholeFile;
using testing::ShowAndActivate;
using testing::WaitUntil;
using testing::WhenModalShown;

class MainWindowTest : public ::testing::Test {
 protected:
  std::filesystem::path DatabasePath() const {
    return seams_.RunFile(QString::fromUtf8(kGoodsDatabaseFileName));
  }
  std::vector<Button*> RowButtons(MainWindow& w) {
    return {&w.SalesOutButton(), &w.ModifyGoodsButton(), &w.DeleteGoodsButton(),
            &w.ExportButton(), &w.SearchButton()};
  }
  std::vector<Button*> AlwaysButtons(MainWindow& w) {
    return {&w.NewGoodsButton(), &w.SalesRecordsButton(), &w.ReportButton(), &w.AboutButton()};
  }

  FakeSeams seams_;
};

TEST_F(MainWindowTest, FirstStartWritesTemplateAndListsFourRecords) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ASSERT_TRUE(std::filesystem::exists(DatabasePath()));
  EXPECT_EQ(std::filesystem::file_size(DatabasePath()), 916u);
  ListView& list = window.GoodsList();
  ASSERT_EQ(list.RowCount(), 4);
  ASSERT_EQ(list.ColumnCount(), 6);
  const QStringList titles{u"名称"_qs, u"货号"_qs, u"单价"_qs, u"单位"_qs, u"库存"_qs, u"备注"_qs};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(list.ColumnTitle(c), titles[c]);
  const QStringList first{u"测试商品"_qs, u"K001"_qs, u"25 元"_qs, u"个"_qs, u"100"_qs, u"T恤"_qs};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(list.CellText(0, c), first[c]) << "column " << c;
  EXPECT_EQ(list.CellText(3, 1), u"K004"_qs);
  EXPECT_EQ(list.CellText(3, 2), u"125500 元"_qs);
  EXPECT_EQ(list.CurrentRow(), 0);
  EXPECT_TRUE(list.hasFocus());
  for (Button* b : RowButtons(window)) EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_EQ(seams_.messages.Count(), 0);
}

TEST_F(MainWindowTest, EachRowCarriesItsRecordBookmark) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  EdbWorkspace& db = window.Database();
  ListView& list = window.GoodsList();
  for (int row = 0; row < list.RowCount(); ++row) {
    ASSERT_TRUE(db.GoToBookmark(static_cast<int>(list.RowValue(row))));
    EXPECT_EQ(db.ReadText(kItemNumber), "K00" + std::to_string(row + 1));
  }
}

struct FormControl {
  const char* name;
  QRect geometry;
  const char* caption;  // empty when the control has none
};

TEST_F(MainWindowTest, FormControlsStandWhereTheFormPutsThem) {
  MainWindow window;
  const FormControl controls[] = {
      {"图片框1", QRect(577, 6, 350, 50), ""},
      {"组合框1", QRect(16, 74, 56, 29), ""},
      {"编辑框1", QRect(76, 73, 76, 28), ""},
      {"按钮6", QRect(156, 70, 55, 32), "搜索"},
      {"按钮5", QRect(215, 70, 85, 32), "销售出库"},
      {"按钮8", QRect(304, 70, 85, 32), "销售记录"},
      {"按钮1", QRect(393, 70, 85, 32), "新建商品"},
      {"按钮9", QRect(482, 70, 85, 32), "打印报表"},
      {"按钮2", QRect(571, 70, 85, 32), "修改商品"},
      {"按钮3", QRect(660, 70, 85, 32), "删除商品"},
      {"按钮4", QRect(749, 70, 85, 32), "导出数据"},
      {"按钮7", QRect(839, 70, 70, 32), "关于"},
      {"超级列表框1", QRect(15, 112, 912, 425), ""},
  };
  for (const FormControl& c : controls) {
    const QString name = QString::fromUtf8(c.name);
    auto* w = window.findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_EQ(w->geometry(), c.geometry) << c.name;
    if (auto* b = qobject_cast<Button*>(w)) {
      EXPECT_EQ(b->Caption(), QString::fromUtf8(c.caption));
    }
  }
  EXPECT_EQ(window.objectName(), u"MainWindow"_qs);
  EXPECT_EQ(window.Title(), u"Quillbin V1.0"_qs);
  EXPECT_EQ(window.OuterWidth(), 943);
  EXPECT_EQ(window.OuterHeight(), 600);
  EXPECT_EQ(window.Header().objectName(), u"标签1"_qs);
  EXPECT_EQ(window.Header().Caption(), u"  Tolvane软件 · 专业提供免费中小企业管理软件"_qs);
  EXPECT_EQ(window.Header().pos(), QPoint(0, -1));
  EXPECT_EQ(window.Header().height(), 64);
  EXPECT_TRUE(window.Banner().isHidden());
  EXPECT_EQ(window.Banner().cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(window.SearchField().SelectedIndex(), 0);
  EXPECT_EQ(window.SearchField().itemText(1), u"货号"_qs);
  EXPECT_FALSE(window.SearchField().isEditable());
  EXPECT_EQ(window.Keyword().Text(), QString());
  EXPECT_EQ(window.BannerTimer().objectName(), u"时钟1"_qs);
}

TEST_F(MainWindowTest, StatusBarHasFiveFixedPanes) {
  MainWindow window;
  StatusBar& bar = window.Status();
  EXPECT_EQ(bar.objectName(), u"状态条1"_qs);
  ASSERT_EQ(bar.PaneCount(), 5);
  const int widths[] = {160, 150, 150, 250, 300};
  const QStringList texts{u" 永久免费 无任何功能限制"_qs, u" 简单易用 方便实用"_qs,
                          u" 迷你精简初级版V1.0"_qs, u" 官方网站："_qs + MainWindow::WebSiteText(),
                          u" 随时关注官网下载最新免费软件"_qs};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bar.PaneWidth(i), widths[i]);
    EXPECT_EQ(bar.PaneText(i), texts[i]);
  }
  EXPECT_EQ(MainWindow::WebSiteText(), u"127.0.0.1"_qs);
  EXPECT_EQ(bar.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(bar.height(), 20);
}

TEST_F(MainWindowTest, CreationDisablesRowButtonsAndStartsTheTimer) {
  MainWindow window;
  window.Show();  // created, not yet activated
  ASSERT_FALSE(window.FirstActivationDone());
  EXPECT_EQ(window.GoodsList().ColumnCount(), 0);
  for (Button* b : RowButtons(window)) EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  for (Button* b : AlwaysButtons(window)) EXPECT_TRUE(b->isEnabled());
  EXPECT_TRUE(window.BannerTimer().IsRunning());
  EXPECT_EQ(window.BannerTimer().Period(), 10000);
}

TEST_F(MainWindowTest, ExistingDatabaseIsNeverOverwritten) {
  ASSERT_TRUE(testing::WriteGoodsDatabase(
      DatabasePath(), {{"\xC3\xAB\xBD\xED", "A12", 9.9, "\xCC\xF5", 30, ""}}));  // 毛巾, 条
  const std::string before = ReadWholeFile(DatabasePath());
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ASSERT_EQ(window.GoodsList().RowCount(), 1);
  EXPECT_EQ(window.GoodsList().CellText(0, 0), u"毛巾"_qs);
  EXPECT_EQ(window.GoodsList().CellText(0, 2), u"9.9 元"_qs);
  EXPECT_EQ(window.GoodsList().CellText(0, 5), QString());
  EXPECT_EQ(ReadWholeFile(DatabasePath()), before);
}

TEST_F(MainWindowTest, UnreadableDatabaseGivesMessageAndAnEmptyColumnlessList) {
  {
    std::ofstream out(DatabasePath(), std::ios::binary);
    out << "this is no record database";
  }
  const std::string before = ReadWholeFile(DatabasePath());
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ASSERT_EQ(seams_.messages.Count(), 1);
  EXPECT_TRUE(seams_.messages.Last().text.contains(u"商品数据库"_qs));
  EXPECT_EQ(seams_.messages.Last().caption, u"信息："_qs);
  EXPECT_EQ(seams_.messages.Last().style, MessageStyle::kOk);
  EXPECT_EQ(window.GoodsList().ColumnCount(), 0);
  EXPECT_EQ(window.GoodsList().RowCount(), 0);
  for (Button* b : RowButtons(window)) EXPECT_FALSE(b->isEnabled());
  EXPECT_EQ(ReadWholeFile(DatabasePath()), before);
  window.SetOuterSize(1000, 700);  // no columns to size: nothing breaks
  ASSERT_TRUE(WaitUntil([&] { return window.GoodsList().width() == 960; }));
}

TEST_F(MainWindowTest, MissingRunDirectoryIsReportedAndTheProgramRunsOn) {
  SeamSet set;
  set.message_boxes = &seams_.messages;
  set.run_directory = seams_.RunDir() + u"/gone/deeper"_qs;
  InstallSeams(set);
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  EXPECT_EQ(seams_.messages.Count(), 1);
  EXPECT_EQ(window.GoodsList().ColumnCount(), 0);
  EXPECT_TRUE(window.isVisible());
  seams_.Reinstall();
}

struct SizeCase {
  int width;
  int height;
  int list_width;
  int list_height;
  int column_width;
};

class MainWindowSizeTest : public MainWindowTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(MainWindowSizeTest, ListColumnsHeaderAndBannerFollowTheSize) {
  const SizeCase& c = GetParam();
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  window.SetOuterSize(c.width, c.height);
  ASSERT_TRUE(WaitUntil([&] { return window.GoodsList().width() == c.list_width; }));
  ListView& list = window.GoodsList();
  EXPECT_EQ(list.height(), c.list_height);
  EXPECT_EQ(list.pos(), QPoint(15, 112));
  for (int col = 0; col < 6; ++col) EXPECT_EQ(list.ColumnWidth(col), c.column_width);
  EXPECT_EQ(window.Header().width(), c.width);
  EXPECT_EQ(window.Banner().x(), c.width - 350 - 20);
  EXPECT_EQ(window.Banner().y(), 6);
  EXPECT_EQ(window.SalesOutButton().geometry(), QRect(215, 70, 85, 32));  // never moved
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainWindowSizeTest,
                         ::testing::Values(SizeCase{943, 600, 903, 418, 145},
                                           SizeCase{1200, 800, 1160, 618, 188},
                                           SizeCase{700, 400, 660, 218, 105}));

TEST_F(MainWindowTest, ColumnsAtFirstActivationUseTheListWidth) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  // (943 − 40 − 30) ÷ 6 = 145.5, truncated.
  EXPECT_EQ(window.GoodsList().ColumnWidth(0), 145);
  EXPECT_EQ(window.GoodsList().ColumnWidth(5), 145);
}

struct CellCase {
  const char* name;
  double price;
  double stock;
  const char* price_text;
  const char* stock_text;
};

class GoodsCellTest : public MainWindowTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(GoodsCellTest, NumbersBecomeTheirCellTexts) {
  const CellCase& c = GetParam();
  ASSERT_TRUE(testing::WriteGoodsDatabase(DatabasePath(), {{"x", "y", c.price, "z", c.stock, "w"}}));
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ASSERT_EQ(window.GoodsList().RowCount(), 1);
  EXPECT_EQ(window.GoodsList().CellText(0, 2), QString::fromUtf8(c.price_text));
  EXPECT_EQ(window.GoodsList().CellText(0, 4), QString::fromUtf8(c.stock_text));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, GoodsCellTest,
    ::testing::Values(CellCase{"whole", 25.0, 100, "25 元", "100"},
                      CellCase{"large_plain", 125500.0, 0, "125500 元", "0"},
                      CellCase{"exponent", 1234567.0, 7, "1.23457e+006 元", "7"},
                      CellCase{"single_precision_tenth", 0.1, -3, "0.1 元", "-3"},
                      CellCase{"small_exponent", 0.00001, 2147483647, "1e-005 元", "2147483647"},
                      CellCase{"half", 12.5, -2147483648.0, "12.5 元", "-2147483648"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, FullWidthTextsAndCharactersOutsideGbkShowAsStored) {
  // 20 bytes exactly: ten two-byte characters, no terminator in the field.
  const std::string ten = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7\xB2\xE2\xCA\xD4";
  const std::string four_byte = "\x81\x30\x81\x30";  // U+0080, outside GBK
  ASSERT_TRUE(testing::WriteGoodsDatabase(DatabasePath(), {{ten, four_byte, 1, "", 1, ""}}));
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ASSERT_EQ(window.GoodsList().RowCount(), 1);
  EXPECT_EQ(window.GoodsList().CellText(0, 0), u"测试商品测试商品测试"_qs);
  EXPECT_EQ(window.GoodsList().CellText(0, 1), u"\u0080"_qs);
}

TEST_F(MainWindowTest, RecordsMarkedDeletedInTheFileAreNotListed) {
  ASSERT_TRUE(WriteGoodsTemplateIfMissing(DatabasePath()));
  ASSERT_TRUE(testing::MarkDeleted(DatabasePath(), 2));
  const std::string before = ReadWholeFile(DatabasePath());
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ListView& list = window.GoodsList();
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.CellText(0, 1), u"K001"_qs);
  EXPECT_EQ(list.CellText(1, 1), u"K003"_qs);
  EXPECT_EQ(list.CellText(2, 1), u"K004"_qs);
  EXPECT_EQ(ReadWholeFile(DatabasePath()), before);  // showing changes nothing in the file
}

TEST_F(MainWindowTest, EmptyDatabaseGivesEmptyListAndKeepsButtonsDisabled) {
  ASSERT_TRUE(testing::WriteGoodsDatabase(DatabasePath(), {}));
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  EXPECT_EQ(window.GoodsList().ColumnCount(), 6);
  EXPECT_EQ(window.GoodsList().RowCount(), 0);
  EXPECT_EQ(window.GoodsList().CurrentRow(), -1);
  for (Button* b : RowButtons(window)) EXPECT_FALSE(b->isEnabled());
}

TEST_F(MainWindowTest, ReloadWhileTheEditorExistsSelectsNothingAndLeavesButtons) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  QWidget editor;
  editor.setObjectName(u"GoodsEditWindow"_qs);
  QSignalSpy changed(&window.GoodsList(), &ListView::CurrentRowChanged);
  window.LoadGoodsList();
  EXPECT_EQ(window.GoodsList().RowCount(), 4);
  EXPECT_EQ(window.GoodsList().CurrentRow(), -1);
  EXPECT_EQ(changed.count(), 0);
  for (Button* b : RowButtons(window)) EXPECT_TRUE(b->isEnabled());
}

TEST_F(MainWindowTest, ReloadShowsChangesMadeMeanwhile) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  window.GoodsList().SetCurrentRow(2);
  EdbWorkspace& db = window.Database();
  ASSERT_TRUE(db.GoTo(1));
  ASSERT_TRUE(db.Delete());
  ASSERT_TRUE(db.Purge());
  ASSERT_TRUE(db.Add({std::string("new"), std::string("N1"), 3.0, std::string("u"), 4.0,
                      std::string("r")}));
  window.LoadGoodsList();
  ListView& list = window.GoodsList();
  ASSERT_EQ(list.RowCount(), 4);
  EXPECT_EQ(list.CellText(0, 1), u"K002"_qs);
  EXPECT_EQ(list.CellText(3, 1), u"N1"_qs);
  EXPECT_EQ(list.CurrentRow(), 0);
}

TEST_F(MainWindowTest, SelectionDrivesTheRowButtons) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  window.GoodsList().SetCurrentRow(-1);
  window.UpdateSelectionButtons();
  for (Button* b : RowButtons(window)) EXPECT_FALSE(b->isEnabled());
  for (Button* b : AlwaysButtons(window)) EXPECT_TRUE(b->isEnabled());
  window.GoodsList().SetCurrentRow(3);  // the current-row event updates them
  for (Button* b : RowButtons(window)) EXPECT_TRUE(b->isEnabled());
}

TEST_F(MainWindowTest, EnterAndDoubleClickOpenSalesOut) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ListView& list = window.GoodsList();
  int opened = 0;
  auto close = [&](QWidget& w) {
    ++opened;
    w.close();
  };
  auto ran = WhenModalShown<QWidget>(u"SalesOutWindow"_qs, close);
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_TRUE(*ran);
  ran = WhenModalShown<QWidget>(u"SalesOutWindow"_qs, close);
  const QRect row1 = list.visualRect(list.model()->index(1, 0));
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row1.center());
  EXPECT_TRUE(*ran);
  EXPECT_EQ(opened, 2);
}

TEST_F(MainWindowTest, KeywordFocusMakesSearchTheDefaultButton) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  window.Keyword().setFocus();
  ASSERT_TRUE(WaitUntil([&] { return window.Keyword().hasFocus(); }));
  EXPECT_TRUE(window.SearchButton().IsDefault());
  window.GoodsList().setFocus();
  ASSERT_TRUE(WaitUntil([&] { return window.GoodsList().hasFocus(); }));
  EXPECT_FALSE(window.SearchButton().IsDefault());
}

TEST_F(MainWindowTest, FirstTimerTickLoadsTheBannerAndStopsTheTimer) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  emit window.BannerTimer().Tick();
  EXPECT_FALSE(window.BannerTimer().IsRunning());
  EXPECT_EQ(window.BannerTimer().Period(), 0);
}

TEST_F(MainWindowTest, StatusBarPressOpensTheHomePage) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  QTest::mousePress(&window.Status(), Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(seams_.shell.opened.size(), 1u);
  EXPECT_TRUE(seams_.shell.opened[0].startsWith(u"http://127.0.0.1:9"_qs));
}

TEST_F(MainWindowTest, ClosingRaisesClosedOnceAndRemovesTheStripes) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  QSignalSpy closed(&window, &Window::Closed);
  ASSERT_TRUE(window.Striping().Subclassed());
  QTest::keyClick(&window, Qt::Key_Escape);
  ASSERT_TRUE(WaitUntil([&] { return closed.count() == 1; }));
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.Striping().Subclassed());
  EXPECT_FALSE(window.BannerTimer().IsRunning());
}

// Stripes: sampled from the painted list, away from the cell texts.
class StripingTest : public MainWindowTest {
 protected:
  // No selected row and no focused row: the focus item gets the style's own tint.
  void ClearSelection(MainWindow& w) {
    w.GoodsList().SetCurrentRow(-1);
    w.GoodsList().selectionModel()->clearCurrentIndex();
  }

  QColor Sample(MainWindow& w, int row) {
    ListView& list = w.GoodsList();
    const QRect cell = list.visualRect(list.model()->index(row, 5));
    const QImage image = list.viewport()->grab().toImage();
    return image.pixelColor(cell.right() - 4, cell.center().y());
  }
};

TEST_F(StripingTest, RowsAlternateByPositionAndSelectionIsDrawnAsUsual) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  ClearSelection(window);
  const QColor first(242, 249, 253);
  EXPECT_EQ(Sample(window, 0), first);
  EXPECT_EQ(Sample(window, 1), QColor(Qt::white));
  EXPECT_EQ(Sample(window, 2), first);
  EXPECT_EQ(Sample(window, 3), QColor(Qt::white));
  window.GoodsList().SetCurrentRow(2);
  const QColor selected = Sample(window, 2);
  EXPECT_NE(selected, first);
  EXPECT_NE(selected, QColor(Qt::white));
  EXPECT_EQ(Sample(window, 0), first);
}

TEST_F(StripingTest, ColoursFollowPositionsAfterARecordGoes) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  EdbWorkspace& db = window.Database();
  ASSERT_TRUE(db.GoTo(1));
  ASSERT_TRUE(db.Delete());
  ASSERT_TRUE(db.Purge());
  window.LoadGoodsList();
  ClearSelection(window);
  EXPECT_EQ(window.GoodsList().CellText(0, 1), u"K002"_qs);
  EXPECT_EQ(Sample(window, 0), QColor(242, 249, 253));
  EXPECT_EQ(Sample(window, 1), QColor(Qt::white));
}

TEST_F(StripingTest, InstallingTwiceDoesNotChain) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  QAbstractItemDelegate* installed = window.GoodsList().itemDelegate();
  InstallRowStriping(window.Striping(), window, window.GoodsList(), 0x0000FF, 0xFFFFFF);
  EXPECT_EQ(window.GoodsList().itemDelegate(), installed);
  ClearSelection(window);
  EXPECT_EQ(Sample(window, 0), QColor(255, 0, 0));  // the new colours, painted once
  EXPECT_EQ(Sample(window, 1), QColor(Qt::white));
}

TEST_F(StripingTest, UsesTheListTextColourReadAtInstall) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  EXPECT_EQ(window.Striping().TextColour(), window.GoodsList().palette().color(QPalette::Text));
  EXPECT_EQ(window.Striping().List(), &window.GoodsList());
}

TEST_F(MainWindowTest, SkinIsAttachedAndKeepsColoursTheProgramSets) {
  MainWindow window;
  ASSERT_TRUE(ShowAndActivate(window));
  EXPECT_TRUE(SkinAttached());
  // The sales out window paints its quantity box red under the same skin.
  EditBox box(&window, u"编辑框3"_qs, QRect(93, 148, 219, 24), InputMode::kShortInteger);
  box.SetBackground(QColor(255, 0, 0));
  EXPECT_EQ(box.grab().toImage().pixelColor(box.width() / 2, box.height() / 2), QColor(255, 0, 0));
}

TEST(RowStripingColour, WindowsValuesAreBgr) {
  EXPECT_EQ(FromWindowsColour(0xFDF9F2), QColor(242, 249, 253));
  EXPECT_EQ(FromWindowsColour(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(FromWindowsColour(0xFFFFFF), QColor(255, 255, 255));
}

}  // namespace
}  // namespace quill
