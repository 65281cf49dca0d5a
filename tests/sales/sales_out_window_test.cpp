#include "sales/ui/sales_out_window.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "sales/sales_window_fixture.h"
#include "storage/goods_database.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/edit_box.h"
#include "toolkit/gb18030.h"
#include "toolkit/keys.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

#define T "qwerdesfd"
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

// Replaces the text of a box the way a user does: focus, select all, type.
void TypeInto(EditBox& box, const QString& text) {
  box.setFocus(Qt::MouseFocusReason);
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_Delete);
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(&box, c.toLatin1());
    } else {
      // Chinese arrives through the input method, as a committed string.
      QInputMethodEvent event;
      event.setCommitString(QString(c));
      QApplication::sendEvent(&box, &event);
    }
  }
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

class SalesOutWindowTest : public testing::SalesWindowTest {
 protected:
  // Opens the window on the selected row, not modally, so the test can act as the user.
  std::unique_ptr<SalesOutWindow> Open() {
    auto window = std::make_unique<SalesOutWindow>(*main);
    EXPECT_TRUE(testing::ShowAndActivate(*window));
    return window;
  }
  void Confirm(SalesOutWindow& window) {
    Click(&window.ConfirmButton());
    ASSERT_TRUE(testing::WaitUntil([&] { return !window.IsOpen(); }));
  }
  int BookmarkOfRow(int row) { return static_cast<int>(main->GoodsList().RowValue(row)); }
};

TEST_F(SalesOutWindowTest, CreationShowsTheSelectedGoods) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 0);
  auto window = Open();
  EXPECT_EQ(window->Title(), u"销售出库"_qs);
  EXPECT_EQ(window->OuterWidth(), 363);
  EXPECT_EQ(window->OuterHeight(), 309);
  EXPECT_EQ(window->CustomerBox().Text(), u"零售客户"_qs);
  EXPECT_EQ(window->GoodsCaption().Caption(), u"钢笔 - G100"_qs);
  EXPECT_EQ(window->PriceBox().Text(), u"12.5 元"_qs);
  // The amount box shows the list's price cell, not the amount computed for quantity 1.
  EXPECT_EQ(window->AmountBox().Text(), u"12.5 元"_qs);
  EXPECT_EQ(window->QuantityBox().Text(), u"1"_qs);
  // Stock 0 and quantity 1: no warning until the quantity next changes.
  EXPECT_EQ(window->QuantityBox().Background(), kWhite);
  EXPECT_EQ(testing::SalesWindowTest::main->State().sales_out_saved_row, row);
  for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "编辑框4"}) {
    EXPECT_NE(window->findChild<EditBox*>(QString::fromUtf8(name)), nullptr) << name;
  }
  EXPECT_NE(window->findChild<QPushButton*>(u"按钮1"_qs), nullptr);
  EXPECT_EQ(window->QuantityBox().AttachedSpinner()->width(), 18);
  window->CloseWindow();
}

struct AmountCase {
  const char* name;
  QString price;
  QString quantity;
  QString amount;
};

void PrintTo(const AmountCase& row, std::ostream* out) { *out << row.name; }

class SalesOutAmountTest : public SalesOutWindowTest,
                           public ::testing::WithParamInterface<AmountCase> {};

TEST_P(SalesOutAmountTest, AmountFollowsPriceAndQuantity) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto window = Open();
  TypeInto(window->PriceBox(), GetParam().price);
  TypeInto(window->QuantityBox(), GetParam().quantity);
  EXPECT_EQ(window->AmountBox().Text(), GetParam().amount);
  window->CloseWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SalesOutAmountTest,
    ::testing::Values(AmountCase{"WorkedExample", u"12.5"_qs, u"3"_qs, u"37.5 元"_qs},
                      AmountCase{"TenthsInDouble", u"0.1"_qs, u"3"_qs, u"0.3 元"_qs},
                      AmountCase{"WholeAmount", u"25.0"_qs, u"1"_qs, u"25 元"_qs},
                      AmountCase{"EmptyQuantity", u"12.5"_qs, u""_qs, u"0 元"_qs},
                      AmountCase{"NegativeQuantity", u"2"_qs, u"-3"_qs, u"-6 元"_qs},
                      AmountCase{"LettersRefused", u"1a2b"_qs, u"2x"_qs, u"24 元"_qs},
                      AmountCase{"QuantityCutAtFiveCharacters", u"1"_qs, u"1234567"_qs,
                                 u"12345 元"_qs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SalesOutWindowTest, TypedAmountIsOverwrittenByTheNextChange) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto window = Open();
  TypeInto(window->AmountBox(), u"30 元 优惠"_qs);
  EXPECT_EQ(window->AmountBox().Text(), u"30 元 优惠"_qs);
  TypeInto(window->QuantityBox(), u"2"_qs);
  EXPECT_EQ(window->AmountBox().Text(), u"25 元"_qs);
  window->CloseWindow();
}

struct FocusCase {
  const char* name;
  bool price_box;  // else the quantity box
  QString typed;
  QString after_focus_loss;
};

void PrintTo(const FocusCase& row, std::ostream* out) { *out << row.name; }

class SalesOutFocusTest : public SalesOutWindowTest,
                          public ::testing::WithParamInterface<FocusCase> {};

TEST_P(SalesOutFocusTest, LosingTheFocusNormalisesTheBox) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto window = Open();
  EditBox& box = GetParam().price_box ? window->PriceBox() : window->QuantityBox();
  TypeInto(box, GetParam().typed);
  window->CustomerBox().setFocus(Qt::TabFocusReason);
  EXPECT_EQ(box.Text(), GetParam().after_focus_loss);
  window->CloseWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SalesOutFocusTest,
    ::testing::Values(FocusCase{"LeadingZeros", false, u"007"_qs, u"7"_qs},
                      FocusCase{"ClampedHigh", false, u"99999"_qs, u"32767"_qs},
                      FocusCase{"ClampedLow", false, u"-9999"_qs, u"-9999"_qs},
                      FocusCase{"EmptyStaysEmpty", false, u""_qs, u""_qs},
                      FocusCase{"ZeroBecomesEmpty", false, u"0"_qs, u""_qs},
                      FocusCase{"MinusAloneBecomesEmpty", false, u"-"_qs, u""_qs},
                      FocusCase{"PriceSixDigits", true, u"1234567"_qs, u"1.23457e+006"_qs},
                      FocusCase{"PriceSinglePrecision", true, u"0.1"_qs, u"0.1"_qs},
                      FocusCase{"PriceTrailingPoint", true, u"12."_qs, u"12"_qs},
                      FocusCase{"PriceZeroBecomesEmpty", true, u"0.0"_qs, u""_qs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SalesOutWindowTest, PriceCellLosesItsUnitOnlyAfterFocusLoss) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto window = Open();
  window->PriceBox().setFocus(Qt::TabFocusReason);
  window->CustomerBox().setFocus(Qt::TabFocusReason);
  EXPECT_EQ(window->PriceBox().Text(), u"12.5"_qs);
  EXPECT_EQ(window->AmountBox().Text(), u"12.5 元"_qs);
  window->CloseWindow();
}

struct SpinCase {
  const char* name;
  QString start;
  bool up;
  QString expected;
};

void PrintTo(const SpinCase& row, std::ostream* out) { *out << row.name; }

class SalesOutSpinnerTest : public SalesOutWindowTest,
                            public ::testing::WithParamInterface<SpinCase> {};

TEST_P(SalesOutSpinnerTest, SpinnerStepsAndWraps) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 2, 1000);
  auto window = Open();
  EditBox& quantity = window->QuantityBox();
  TypeInto(quantity, GetParam().start);
  window->CustomerBox().setFocus(Qt::TabFocusReason);
  Spinner* spinner = quantity.AttachedSpinner();
  ASSERT_NE(spinner, nullptr);
  Click(GetParam().up ? spinner->UpButton() : spinner->DownButton());
  EXPECT_EQ(quantity.Text(), GetParam().expected);
  EXPECT_TRUE(quantity.hasFocus());
  EXPECT_EQ(quantity.selectedText(), GetParam().expected);
  EXPECT_EQ(window->AmountBox().Text(),
            QString::number(2 * GetParam().expected.toInt()) + u" 元"_qs);
  window->CloseWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SalesOutSpinnerTest,
    ::testing::Values(SpinCase{"Up", u"5"_qs, true, u"6"_qs},
                      SpinCase{"Down", u"5"_qs, false, u"4"_qs},
                      SpinCase{"UpFromHundredWraps", u"100"_qs, true, u"1"_qs},
                      SpinCase{"DownFromOneWraps", u"1"_qs, false, u"100"_qs},
                      SpinCase{"UpFromEmpty", u""_qs, true, u"1"_qs},
                      SpinCase{"DownFromEmpty", u""_qs, false, u"100"_qs},
                      SpinCase{"UpFromTypedBeyondRange", u"250"_qs, true, u"1"_qs},
                      SpinCase{"DownFromTypedBeyondRange", u"250"_qs, false, u"100"_qs},
                      SpinCase{"UpFromNegative", u"-4"_qs, true, u"1"_qs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SalesOutWindowTest, QuantityAboveStockTurnsTheBoxRed) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 0);
  auto window = Open();
  Spinner* spinner = window->QuantityBox().AttachedSpinner();
  Click(spinner->UpButton());  // 2 on stock 0
  EXPECT_EQ(window->QuantityBox().Background(), kRed);
  TypeInto(window->QuantityBox(), u"0"_qs);
  EXPECT_EQ(window->QuantityBox().Background(), kWhite);
  TypeInto(window->QuantityBox(), u"-1"_qs);
  EXPECT_EQ(window->QuantityBox().Background(), kWhite);
  TypeInto(window->QuantityBox(), u"1"_qs);
  EXPECT_EQ(window->QuantityBox().Background(), kRed);
  window->CloseWindow();
}

TEST_F(SalesOutWindowTest, ConfirmRecordsTheSaleAndLowersTheStock) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  const int bookmark = BookmarkOfRow(row);
  auto window = Open();
  TypeInto(window->QuantityBox(), u"3"_qs);
  Confirm(*window);

  EXPECT_EQ(DayFileBytes(), "\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7" T "\xB8\xD6\xB1\xCA - G100" T
                            "12.5 \xD4\xAA" T "3" T "37.5 \xD4\xAA" T "\r\n");
  EXPECT_EQ(StoredStock(bookmark), 7);
  ASSERT_EQ(seams.messages.Count(), 1);
  EXPECT_EQ(seams.messages.Last().text, u"出库成功！"_qs);
  EXPECT_EQ(seams.messages.Last().caption, u"信息："_qs);
  EXPECT_EQ(seams.messages.Last().style, MessageStyle::kOk);
  // The list was rebuilt and the selection put back on the row of before.
  EXPECT_EQ(main->GoodsList().CurrentRow(), row);
  EXPECT_EQ(main->GoodsList().CellText(row, 4), u"7"_qs);
}

TEST_F(SalesOutWindowTest, SecondSaleOfTheDayIsAppended) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto first = Open();
  TypeInto(first->QuantityBox(), u"3"_qs);
  Confirm(*first);
  auto second = Open();
  Confirm(*second);
  EXPECT_EQ(DayFileBytes(), "\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7" T "\xB8\xD6\xB1\xCA - G100" T
                            "12.5 \xD4\xAA" T "3" T "37.5 \xD4\xAA" T
                            "\r\n"
                            "\r\n"
                            "\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7" T "\xB8\xD6\xB1\xCA - G100" T
                            "12.5 \xD4\xAA" T "1" T "12.5 \xD4\xAA" T "\r\n");
}

struct StockCase {
  const char* name;
  int stock;
  QString quantity;
  int expected_stock;
};

void PrintTo(const StockCase& row, std::ostream* out) { *out << row.name; }

class SalesOutStockTest : public SalesOutWindowTest,
                          public ::testing::WithParamInterface<StockCase> {};

TEST_P(SalesOutStockTest, ConfirmSetsStockMinusQuantity) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 1, GetParam().stock);
  const int bookmark = BookmarkOfRow(row);
  auto window = Open();
  TypeInto(window->QuantityBox(), GetParam().quantity);
  Confirm(*window);
  EXPECT_EQ(StoredStock(bookmark), GetParam().expected_stock);
  EXPECT_TRUE(DayFileExists());
}

INSTANTIATE_TEST_SUITE_P(Cases, SalesOutStockTest,
                         ::testing::Values(StockCase{"MoreThanInStockGoesNegative", 3, u"5"_qs, -2},
                                           StockCase{"NegativeQuantityRaisesStock", 3, u"-2"_qs, 5},
                                           StockCase{"EmptyQuantityChangesNothing", 3, u""_qs, 3},
                                           StockCase{"LowestStockDoesNotWrap", -2147483647 - 1,
                                                     u"1"_qs, -2147483647 - 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SalesOutWindowTest, ClosingWritesNothingAndRestoresTheSelection) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  const int bookmark = BookmarkOfRow(row);
  auto window = Open();
  TypeInto(window->QuantityBox(), u"3"_qs);
  window->close();  // the close box
  ASSERT_TRUE(testing::WaitUntil([&] { return !window->IsOpen(); }));
  EXPECT_FALSE(DayFileExists());
  EXPECT_EQ(StoredStock(bookmark), 10);
  EXPECT_EQ(seams.messages.Count(), 0);
  EXPECT_EQ(main->GoodsList().CurrentRow(), row);
}

TEST_F(SalesOutWindowTest, EscapeClosesWithoutSelling) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto window = Open();
  QTest::keyClick(&window->CustomerBox(), Qt::Key_Escape);
  ASSERT_TRUE(testing::WaitUntil([&] { return !window->IsOpen(); }));
  EXPECT_FALSE(DayFileExists());
}

TEST_F(SalesOutWindowTest, FailedAppendKeepsStockAndWindowForARetry) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  const int bookmark = BookmarkOfRow(row);
  // Something that cannot be read as a day file stands where today's file goes.
  std::filesystem::create_directory(RunPath(u"2016-03-05.jl"_qs));
  auto window = Open();
  Click(&window->ConfirmButton());
  ASSERT_EQ(seams.messages.Count(), 1);
  EXPECT_TRUE(seams.messages.Last().text.startsWith(u"销售记录写入失败"_qs));
  EXPECT_EQ(seams.messages.Last().style, MessageStyle::kOkWarning);
  EXPECT_EQ(StoredStock(bookmark), 10);
  QTest::qWait(0);
  EXPECT_TRUE(window->IsOpen());

  std::filesystem::remove(RunPath(u"2016-03-05.jl"_qs));
  Confirm(*window);
  EXPECT_EQ(seams.messages.Last().text, u"出库成功！"_qs);
  EXPECT_EQ(StoredStock(bookmark), 9);
  EXPECT_TRUE(DayFileExists());
}

TEST_F(SalesOutWindowTest, VanishedGoodsAreNeitherSoldNorChanged) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  const int bookmark = BookmarkOfRow(row);
  auto window = Open();
  // Another copy of the program deletes the goods while the window is open.
  EdbWorkspace& db = main->Database();
  ASSERT_TRUE(db.GoToBookmark(bookmark));
  ASSERT_TRUE(db.Delete());
  ASSERT_TRUE(db.GoTo(1));
  const std::string first_name = db.ReadText(kName);
  const double first_stock = db.ReadNumber(kStock);
  Confirm(*window);
  ASSERT_EQ(seams.messages.Count(), 1);
  EXPECT_TRUE(seams.messages.Last().text.startsWith(u"所选商品已不存在"_qs));
  EXPECT_FALSE(DayFileExists());
  ASSERT_TRUE(db.GoTo(1));
  EXPECT_EQ(db.ReadText(kName), first_name);
  EXPECT_EQ(db.ReadNumber(kStock), first_stock);
}

TEST_F(SalesOutWindowTest, NoSelectedRowSellsNothing) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  main->GoodsList().SetCurrentRow(-1);
  std::vector<double> stocks;
  EdbWorkspace& db = main->Database();
  for (int i = 1; i <= db.RecordCount(); ++i) {
    db.GoTo(i);
    stocks.push_back(db.ReadNumber(kStock));
  }
  auto window = Open();
  EXPECT_EQ(window->GoodsCaption().Caption(), u" - "_qs);
  EXPECT_EQ(window->PriceBox().Text(), u""_qs);
  EXPECT_EQ(window->AmountBox().Text(), u""_qs);
  Confirm(*window);
  ASSERT_EQ(seams.messages.Count(), 1);
  EXPECT_TRUE(seams.messages.Last().text.startsWith(u"没有选择商品"_qs));
  EXPECT_FALSE(DayFileExists());
  for (int i = 1; i <= db.RecordCount(); ++i) {
    db.GoTo(i);
    EXPECT_EQ(db.ReadNumber(kStock), stocks[static_cast<std::size_t>(i - 1)]) << "record " << i;
  }
  EXPECT_EQ(main->GoodsList().CurrentRow(), -1);
}

TEST_F(SalesOutWindowTest, TheClockIsReadOnceSoASaleAtMidnightGoesToOneDay) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  auto window = Open();
  clock.now = QDateTime(QDate(2016, 3, 5), QTime(23, 59, 59, 999));
  clock.readings = 0;
  clock.on_read = [this] { clock.now = QDateTime(QDate(2016, 3, 6), QTime(0, 0, 0)); };
  Confirm(*window);
  EXPECT_EQ(clock.readings, 1);
  EXPECT_TRUE(DayFileExists(u"2016-03-05.jl"_qs));
  EXPECT_FALSE(DayFileExists(u"2016-03-06.jl"_qs));
}

TEST_F(SalesOutWindowTest, StockThatCannotBeWrittenIsReportedAfterTheSale) {
  const int row = AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  const int bookmark = BookmarkOfRow(row);
  auto window = Open();
  // The goods vanish after the sale line is written and before the stock is.
  clock.on_read = [this, bookmark] {
    clock.on_read = nullptr;
    EdbWorkspace& db = main->Database();
    if (db.GoToBookmark(bookmark)) db.Delete();
  };
  Confirm(*window);
  EXPECT_TRUE(DayFileExists());
  ASSERT_EQ(seams.messages.Count(), 1);
  EXPECT_TRUE(seams.messages.Last().text.startsWith(u"销售已记录，但库存无法写入"_qs));
  EXPECT_EQ(seams.messages.Last().style, MessageStyle::kOkWarning);
}

// The three ways in from the main window, each opening the window modally.
enum class Opener { kButton, kEnter, kDoubleClick };

class SalesOutOpenTest : public SalesOutWindowTest, public ::testing::WithParamInterface<Opener> {};

TEST_P(SalesOutOpenTest, MainWindowOpensItOnTheSelectedRow) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  QString caption;
  const auto ran =
      testing::WhenModalShown<SalesOutWindow>(u"SalesOutWindow"_qs, [&](SalesOutWindow& window) {
        caption = window.GoodsCaption().Caption();
        window.CloseWindow();
      });
  ListView& list = main->GoodsList();
  switch (GetParam()) {
    case Opener::kButton:
      Click(&main->SalesOutButton());
      break;
    case Opener::kEnter:
      QTest::keyClick(&list, Qt::Key_Return);
      break;
    case Opener::kDoubleClick: {
      const QRect cell = list.visualRect(list.Rows().index(list.CurrentRow(), 0));
      QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell.center());
      break;
    }
  }
  ASSERT_TRUE(testing::WaitUntil([&] { return *ran; }));
  EXPECT_EQ(caption, u"钢笔 - G100"_qs);
}

INSTANTIATE_TEST_SUITE_P(Ways, SalesOutOpenTest,
                         ::testing::Values(Opener::kButton, Opener::kEnter, Opener::kDoubleClick),
                         [](const auto& info) {
                           switch (info.param) {
                             case Opener::kButton:
                               return std::string("Button5");
                             case Opener::kEnter:
                               return std::string("EnterInList");
                             default:
                               return std::string("DoubleClickInList");
                           }
                         });

TEST_F(SalesOutWindowTest, EmptyListOpensNothing) {
  EdbWorkspace& db = main->Database();
  for (int i = db.RecordCount(); i >= 1; --i) {
    db.GoTo(i);
    db.Delete();
  }
  ASSERT_TRUE(db.Purge());
  main->LoadGoodsList();
  ASSERT_EQ(main->GoodsList().RowCount(), 0);
  bool shown = false;
  const auto ran = testing::WhenModalShown<SalesOutWindow>(
      u"SalesOutWindow"_qs,
      [&](SalesOutWindow& window) {
        shown = true;
        window.CloseWindow();
      },
      200);
  OpenSalesOut(*main);
  EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace quill
