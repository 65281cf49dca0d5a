#include "editor/goods_edit_window.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include "editor/main_window_fixture.h"
#include "storage/goods_database.h"
#include "toolkit/buttons.h"
#include "toolkit/edit_box.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

using testing::MainWindowTest;
using testing::Type;

const QString kNew = u"按钮1"_qs;     // 新建商品
const QString kModify = u"按钮2"_qs;  // 修改商品
const QString kSaved = u"保存成功！"_qs;
const QString kDuplicate = u"该商品已存在，请勿重复添加！"_qs;
constexpr int kTemplateRecords = 4;

struct Entry {
  QString name, number, price, unit, stock, remark;
};

void Fill(GoodsEditWindow& w, const Entry& e) {
  Type(w.NameBox(), e.name);
  Type(w.ItemNumberBox(), e.number);
  Type(w.PriceBox(), e.price);
  Type(w.UnitBox(), e.unit);
  Type(w.StockBox(), e.stock);
  Type(w.RemarkBox(), e.remark);
}

void ClickSave(GoodsEditWindow& w) { QTest::mouseClick(&w.SaveButton(), Qt::LeftButton); }

// Replaces a box's whole text as a user does: select all, then type over it.
void Retype(EditBox& box, const QString& text) {
  box.setFocus(Qt::TabFocusReason);
  box.selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(&box, Qt::Key_Delete);
  } else {
    Type(box, text);
  }
}

using GoodsEditorTest = MainWindowTest;

TEST_F(GoodsEditorTest, NewGoodsIsAddedAsLastRowAndSelected) {
  QString title;
  bool closed_by_save = false;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    title = w.windowTitle();
    EXPECT_TRUE(w.KeepOpenBox().isVisible());
    Fill(w, {u"运动鞋"_qs, u"K005"_qs, u"99.5"_qs, u"双"_qs, u"12"_qs, u"白色"_qs});
    ClickSave(w);
    QCoreApplication::processEvents();
    closed_by_save = !w.isVisible();
  }));
  EXPECT_TRUE(closed_by_save);
  EXPECT_EQ(title, u"新建商品"_qs);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kSaved);
  EXPECT_EQ(Messages().Last().style, MessageStyle::kOk);
  EXPECT_EQ(Messages().Last().caption, u"信息："_qs);
  ASSERT_EQ(Db().RecordCount(), kTemplateRecords + 1);
  ASSERT_TRUE(Db().GoTo(5));
  EXPECT_EQ(Db().Bookmark(), 20);
  EXPECT_EQ(RowText(4), u"运动鞋|K005|99.5 元|双|12|白色"_qs);
  EXPECT_EQ(Main().GoodsList().RowCount(), kTemplateRecords + 1);
  EXPECT_EQ(SelectedRow(), 4);
  EXPECT_EQ(SelectionButtonStates(), "11111");
}

struct RequiredCase {
  const char* label;
  Entry entry;
  QString message;
};

class RequiredFieldTest : public MainWindowTest,
                          public ::testing::WithParamInterface<RequiredCase> {};

TEST_P(RequiredFieldTest, FirstEmptyBoxStopsTheSave) {
  bool still_open = false;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, GetParam().entry);
    ClickSave(w);
    QCoreApplication::processEvents();
    still_open = w.isVisible();
  }));
  EXPECT_TRUE(still_open);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, GetParam().message);
  EXPECT_EQ(Messages().Last().style, MessageStyle::kOk);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, RequiredFieldTest,
    ::testing::Values(
        RequiredCase{"all_empty", {}, u"请输入商品名称！"_qs},
        RequiredCase{
            "name", {{}, u"K9"_qs, u"1"_qs, u"个"_qs, u"1"_qs, {}}, u"请输入商品名称！"_qs},
        RequiredCase{
            "item_number", {u"a"_qs, {}, u"1"_qs, u"个"_qs, u"1"_qs, {}}, u"请输入商品货号！"_qs},
        RequiredCase{
            "price_and_later", {u"a"_qs, u"K9"_qs, {}, {}, {}, {}}, u"请输入商品单价！"_qs},
        RequiredCase{"unit", {u"a"_qs, u"K9"_qs, u"1"_qs, {}, u"1"_qs, {}}, u"请输入商品单位！"_qs},
        RequiredCase{
            "stock", {u"a"_qs, u"K9"_qs, u"1"_qs, u"个"_qs, {}, u"x"_qs}, u"请输入商品数量！"_qs},
        RequiredCase{"zero_price_empties_the_box",
                     {u"a"_qs, u"K9"_qs, u"0"_qs, u"个"_qs, u"1"_qs, {}},
                     u"请输入商品单价！"_qs},
        RequiredCase{"zero_point_zero_zero_price",
                     {u"a"_qs, u"K9"_qs, u"0.00"_qs, u"个"_qs, u"1"_qs, {}},
                     u"请输入商品单价！"_qs}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(GoodsEditorTest, RemarkMayBeEmptyAndNameOfSpacesIsStoredEmpty) {
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"  　"_qs, u"K005"_qs, u"1"_qs, u"个"_qs, u"1"_qs, {}});
    ClickSave(w);
  }));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kSaved);
  EXPECT_EQ(Field(5, kName), u""_qs);
  EXPECT_EQ(Field(5, kRemark), u""_qs);
}

struct PriceCase {
  const char* label;
  QString typed;
  QString shown;
  float stored;
};

class PriceBoxTest : public MainWindowTest, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(PriceBoxTest, PriceIsNormalisedWhenTheBoxLosesFocus) {
  QString shown_after_leaving;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"a"_qs, u"K9"_qs, GetParam().typed, u"个"_qs, u"1"_qs, {}});
    shown_after_leaving = w.PriceBox().Text();
    ClickSave(w);
  }));
  EXPECT_EQ(shown_after_leaving, GetParam().shown);
  ASSERT_EQ(Db().RecordCount(), kTemplateRecords + 1);
  ASSERT_TRUE(Db().GoTo(5));
  EXPECT_EQ(static_cast<float>(Db().ReadNumber(kUnitPrice)), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PriceBoxTest,
    ::testing::Values(PriceCase{"six_digits", u"12.345678"_qs, u"12.3457"_qs, 12.3457f},
                      PriceCase{"leading_zeros", u"007"_qs, u"7"_qs, 7.0f},
                      PriceCase{"tenth", u"0.1"_qs, u"0.1"_qs, 0.1f},
                      PriceCase{"negative", u"-2.5"_qs, u"-2.5"_qs, -2.5f},
                      PriceCase{"letters_are_not_typed", u"1a2元"_qs, u"12"_qs, 12.0f}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(GoodsEditorTest, StockBoxTakesDigitsAndMinusOnlyAndIsNotRewritten) {
  QString shown;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"a"_qs, u"K9"_qs, u"1"_qs, u"个"_qs, u"-0x7.5件"_qs, {}});
    shown = w.StockBox().Text();
    ClickSave(w);
  }));
  EXPECT_EQ(shown, u"-075"_qs);
  EXPECT_EQ(Field(5, kStock), u"-75"_qs);
}

struct DuplicateCase {
  const char* label;
  QString name;
  QString number;
};

class NewDuplicateTest : public MainWindowTest,
                         public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(NewDuplicateTest, JoinedTrimmedKeyOfAnExistingRecordIsRefused) {
  QString name_after;
  bool still_open = false;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {GetParam().name, GetParam().number, u"1"_qs, u"个"_qs, u"1"_qs, {}});
    ClickSave(w);
    QCoreApplication::processEvents();
    still_open = w.isVisible();
    name_after = w.NameBox().Text();
  }));
  EXPECT_TRUE(still_open);
  EXPECT_EQ(name_after, GetParam().name);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kDuplicate);
  EXPECT_EQ(Messages().Last().style, MessageStyle::kOkInformation);
  EXPECT_EQ(Messages().Last().caption, u"信息："_qs);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NewDuplicateTest,
    ::testing::Values(DuplicateCase{"same", u"测试商品"_qs, u"K001"_qs},
                      DuplicateCase{"letter_moved_to_name", u"测试商品K"_qs, u"001"_qs},
                      DuplicateCase{"half_name_moved_to_number", u"测试"_qs, u"商品K001"_qs},
                      DuplicateCase{"ascii_spaces", u"  测试商品 "_qs, u" K001"_qs},
                      DuplicateCase{"full_width_spaces", u"　测试商品　"_qs, u"K001　"_qs}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(GoodsEditorTest, NewModeStoresNameAndNumberTrimmedOtherTextsAsTyped) {
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u" 　测试商品  "_qs, u" K005　"_qs, u"3"_qs, u" 个 "_qs, u"4"_qs, u" 备注 "_qs});
    ClickSave(w);
  }));
  ASSERT_EQ(Messages().Last().text, kSaved);
  EXPECT_EQ(Field(5, kName), u"测试商品"_qs);
  EXPECT_EQ(Field(5, kItemNumber), u"K005"_qs);
  EXPECT_EQ(Field(5, kUnit), u" 个 "_qs);
  EXPECT_EQ(Field(5, kRemark), u" 备注 "_qs);
}

TEST_F(GoodsEditorTest, CaseMattersAndTabsAreKeptInTheKey) {
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"测试商品"_qs, u"k001"_qs, u"1"_qs, u"个"_qs, u"1"_qs, {}});
    ClickSave(w);
  }));
  EXPECT_EQ(Messages().Last().text, kSaved);
  EXPECT_EQ(Field(5, kItemNumber), u"k001"_qs);
}

TEST_F(GoodsEditorTest, KeepOpenBoxKeepsTheWindowAndItsTextsThenRefusesTheSameGoods) {
  bool open_after_save = false;
  QString name_after_save;
  int selected_while_open = 0;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    QTest::mouseClick(&w.KeepOpenBox(), Qt::LeftButton);
    ASSERT_TRUE(w.KeepOpenBox().isChecked());
    Fill(w, {u"袜子"_qs, u"K006"_qs, u"5"_qs, u"双"_qs, u"30"_qs, {}});
    ClickSave(w);
    QCoreApplication::processEvents();
    open_after_save = w.isVisible();
    name_after_save = w.NameBox().Text();
    selected_while_open = SelectedRow();
    ClickSave(w);
  }));
  EXPECT_TRUE(open_after_save);
  EXPECT_EQ(name_after_save, u"袜子"_qs);
  EXPECT_EQ(selected_while_open, -1);  // the reload leaves no row selected while the editor exists
  ASSERT_EQ(Messages().Count(), 2);
  EXPECT_EQ(Messages().All()[0].text, kSaved);
  EXPECT_EQ(Messages().All()[1].text, kDuplicate);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords + 1);
  EXPECT_EQ(SelectedRow(), kTemplateRecords);  // closing selects the last row
}

TEST_F(GoodsEditorTest, ClosingANewWindowWithoutSavingSelectsTheLastRow) {
  Main().GoodsList().SetCurrentRow(1);
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Type(w.NameBox(), u"没保存"_qs);
    QTest::keyClick(&w, Qt::Key_Escape);
  }));
  EXPECT_EQ(Messages().Count(), 0);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords);
  EXPECT_EQ(SelectedRow(), kTemplateRecords - 1);
}

TEST_F(GoodsEditorTest, ModifyShowsTheSelectedRecordAndHidesTheKeepOpenBox) {
  Main().GoodsList().SetCurrentRow(3);
  Entry shown;
  QString title;
  bool keep_open_visible = true;
  ASSERT_TRUE(RunEditor(kModify, [&](GoodsEditWindow& w) {
    title = w.windowTitle();
    keep_open_visible = w.KeepOpenBox().isVisible();
    shown = {w.NameBox().Text(), w.ItemNumberBox().Text(), w.PriceBox().Text(),
             w.UnitBox().Text(), w.StockBox().Text(),      w.RemarkBox().Text()};
  }));
  EXPECT_EQ(title, u"修改商品信息"_qs);
  EXPECT_FALSE(keep_open_visible);
  EXPECT_EQ(shown.name, u"测试商品"_qs);
  EXPECT_EQ(shown.number, u"K004"_qs);
  EXPECT_EQ(shown.price, u"125500"_qs);
  EXPECT_EQ(shown.unit, u"辆"_qs);
  EXPECT_EQ(shown.stock, u"200"_qs);
  EXPECT_EQ(shown.remark, u"吉普车"_qs);
  EXPECT_EQ(Main().State().editor_return_row, 3);
  EXPECT_EQ(SelectedRow(), 3);
}

TEST_F(GoodsEditorTest, ModifyRewritesTheRecordInPlaceAndSelectsItsRowAgain) {
  Main().GoodsList().SetCurrentRow(1);
  bool closed_by_save = false;
  ASSERT_TRUE(RunEditor(kModify, [&](GoodsEditWindow& w) {
    Retype(w.ItemNumberBox(), u" K002B "_qs);
    Retype(w.PriceBox(), u"130"_qs);
    Retype(w.StockBox(), u"7"_qs);
    ClickSave(w);
    QCoreApplication::processEvents();
    closed_by_save = !w.isVisible();
  }));
  EXPECT_TRUE(closed_by_save);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kSaved);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords);
  ASSERT_TRUE(Db().GoTo(2));
  EXPECT_EQ(Db().Bookmark(), 17);
  EXPECT_EQ(Field(2, kItemNumber), u" K002B "_qs);  // modify mode stores as typed
  EXPECT_EQ(RowText(1), u"测试商品| K002B |130 元|双|7|裤子"_qs);
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(RowText(0), u"测试商品|K001|25 元|个|100|T恤"_qs);
}

TEST_F(GoodsEditorTest, ModifyWithItsOwnUnchangedKeySucceeds) {
  Main().GoodsList().SetCurrentRow(0);
  ASSERT_TRUE(RunEditor(kModify, [&](GoodsEditWindow& w) {
    Retype(w.RemarkBox(), u"新备注"_qs);
    ClickSave(w);
  }));
  EXPECT_EQ(Messages().Last().text, kSaved);
  EXPECT_EQ(Field(1, kRemark), u"新备注"_qs);
  EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(GoodsEditorTest, ModifyToAnotherRecordsKeyIsRefused) {
  Main().GoodsList().SetCurrentRow(0);
  ASSERT_TRUE(RunEditor(kModify, [&](GoodsEditWindow& w) {
    Retype(w.ItemNumberBox(), u"K003 "_qs);
    ClickSave(w);
  }));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kDuplicate);
  EXPECT_EQ(Field(1, kItemNumber), u"K001"_qs);
  EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(GoodsEditorTest, TextBoxesRefuseTypingBeyondTwentyBytes) {
  QString name, number, unit, remark;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Type(w.NameBox(), u"一二三四五六七八九十百"_qs);        // 22 bytes typed, 20 kept
    Type(w.ItemNumberBox(), u"ABCDEFGHIJKLMNOPQRSTUV"_qs);  // 22 bytes typed
    Type(w.UnitBox(), u"个个个个个个个个个a个"_qs);         // 9 × 2 + 1 = 19, then 个 refused
    Type(w.RemarkBox(), u"一二三四한한한"_qs);  // 8 + 3 × 4 four-byte characters = 20 bytes
    Type(w.RemarkBox(), u"x"_qs);
    name = w.NameBox().Text();
    number = w.ItemNumberBox().Text();
    unit = w.UnitBox().Text();
    remark = w.RemarkBox().Text();
  }));
  EXPECT_EQ(name, u"一二三四五六七八九十"_qs);
  EXPECT_EQ(number, u"ABCDEFGHIJKLMNOPQRST"_qs);
  EXPECT_EQ(unit, u"个个个个个个个个个a"_qs);
  EXPECT_EQ(remark, u"一二三四한한한"_qs);
}

TEST_F(GoodsEditorTest, PastingBeyondTwentyBytesIsRefusedWhole) {
  QString after_long_paste, after_fitting_paste;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Type(w.NameBox(), u"鞋"_qs);
    QApplication::clipboard()->setText(u"一二三四五六七八九十"_qs);  // 20 bytes
    w.NameBox().paste();
    after_long_paste = w.NameBox().Text();
    QApplication::clipboard()->setText(u"一二三四五六七八九"_qs);  // 18 bytes
    w.NameBox().paste();
    after_fitting_paste = w.NameBox().Text();
  }));
  EXPECT_EQ(after_long_paste, u"鞋"_qs);
  EXPECT_EQ(after_fitting_paste, u"鞋一二三四五六七八九"_qs);
}

TEST_F(GoodsEditorTest, InputMethodCommitsBeyondTwentyBytesAreRefused) {
  QString after_long_commit, after_fitting_commit;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Type(w.UnitBox(), u"箱"_qs);
    QInputMethodEvent too_long;
    too_long.setCommitString(u"一二三四五六七八九十"_qs);  // 2 + 20 bytes
    QApplication::sendEvent(&w.UnitBox(), &too_long);
    after_long_commit = w.UnitBox().Text();
    QInputMethodEvent fitting;
    fitting.setCommitString(u"一二三四五六七八九"_qs);  // 2 + 18 bytes
    QApplication::sendEvent(&w.UnitBox(), &fitting);
    after_fitting_commit = w.UnitBox().Text();
  }));
  EXPECT_EQ(after_long_commit, u"箱"_qs);
  EXPECT_EQ(after_fitting_commit, u"箱一二三四五六七八九"_qs);
}

TEST_F(GoodsEditorTest, TwentyByteNameAndNumberAreStoredWholeAndFoundAsDuplicates) {
  const Entry full{
      u"一二三四五六七八九十"_qs, u"ABCDEFGHIJKLMNOPQRST"_qs, u"1"_qs, u"个"_qs, u"1"_qs, {}};
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, full);
    ClickSave(w);
  }));
  EXPECT_EQ(Field(5, kName), full.name);
  EXPECT_EQ(Field(5, kItemNumber), full.number);
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, full);
    ClickSave(w);
  }));
  EXPECT_EQ(Messages().Last().text, kDuplicate);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords + 1);
}

TEST_F(GoodsEditorTest, PriceBeyondSinglePrecisionIsRefused) {
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"a"_qs, u"K9"_qs, {}, u"个"_qs, u"1"_qs, {}});
    w.PriceBox().SetText(u"1e39"_qs);  // pasted text is not filtered
    ClickSave(w);
  }));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_NE(Messages().Last().text, kSaved);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords);
}

// The selected row's record was deleted behind the list's back (another copy of the program,
// a failed reload): the row's bookmark names nothing any more.
void DeleteBehindTheList(EdbWorkspace& db, int bookmark) {
  ASSERT_TRUE(db.GoToBookmark(bookmark));
  ASSERT_TRUE(db.Delete());
  ASSERT_TRUE(db.Purge());
}

TEST_F(GoodsEditorTest, ModifyOfAGoneRecordOpensNoWindowAndChangesNothing) {
  Main().GoodsList().SetCurrentRow(0);
  DeleteBehindTheList(Db(), 16);
  EXPECT_FALSE(RunEditor(kModify, [](GoodsEditWindow&) {}));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_NE(Messages().Last().text.indexOf(u"不存在"_qs), -1);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords - 1);
  EXPECT_EQ(Field(1, kItemNumber), u"K002"_qs);
}

TEST_F(GoodsEditorTest, ModifyWithNoSelectedRowOpensNoWindow) {
  Main().GoodsList().SetCurrentRow(-1);  // the buttons do not follow a cleared selection
  ASSERT_TRUE(Main().ModifyGoodsButton().isEnabled());
  EXPECT_FALSE(RunEditor(kModify, [](GoodsEditWindow&) {}));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, u"请先在商品列表中选择要修改的商品！"_qs);
}

TEST_F(GoodsEditorTest, SaveAfterTheRecordWentAwayWritesNothing) {
  Main().GoodsList().SetCurrentRow(1);
  ASSERT_TRUE(RunEditor(kModify, [&](GoodsEditWindow& w) {
    DeleteBehindTheList(Db(), 17);
    Db().GoTo(1);  // whatever record happens to be current must stay untouched
    Retype(w.NameBox(), u"覆盖"_qs);
    ClickSave(w);
  }));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_NE(Messages().Last().text, kSaved);
  EXPECT_NE(Messages().Last().text.indexOf(u"不存在"_qs), -1);
  ASSERT_EQ(Db().RecordCount(), kTemplateRecords - 1);
  for (int record = 1; record <= kTemplateRecords - 1; ++record) {
    EXPECT_EQ(Field(record, kName), u"测试商品"_qs) << record;
  }
}

// A database whose identifiers are used up: every add fails.
class FullDatabaseTest : public MainWindowTest {
 protected:
  void PrepareRunDirectory() override {
    ASSERT_TRUE(WriteGoodsTemplateIfMissing(DatabasePath()));
    std::fstream file(DatabasePath(), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(20);  // next record identifier
    const unsigned char max_identifier[4] = {0xFF, 0xFF, 0xFF, 0x7F};
    file.write(reinterpret_cast<const char*>(max_identifier), 4);
    ASSERT_TRUE(file.good());
  }
};

TEST_F(FullDatabaseTest, FailedAddIsNeverReportedAsSuccess) {
  bool still_open = false;
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"a"_qs, u"K9"_qs, u"1"_qs, u"个"_qs, u"1"_qs, {}});
    ClickSave(w);
    QCoreApplication::processEvents();
    still_open = w.isVisible();
  }));
  EXPECT_TRUE(still_open);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_NE(Messages().Last().text, kSaved);
  EXPECT_NE(Messages().Last().text.indexOf(u"失败"_qs), -1);
  EXPECT_EQ(Db().RecordCount(), kTemplateRecords);
}

// A damaged database file: the program runs on with no database, and 新建商品 stays enabled.
class DamagedDatabaseTest : public MainWindowTest {
 protected:
  void PrepareRunDirectory() override {
    std::ofstream(DatabasePath(), std::ios::binary) << "not a goods database";
  }
  bool DatabaseOpens() const override { return false; }
};

TEST_F(DamagedDatabaseTest, SaveWithoutADatabaseReportsFailureAndLeavesTheFileAlone) {
  Messages().Clear();  // the start-up message about the file
  ASSERT_TRUE(RunEditor(kNew, [&](GoodsEditWindow& w) {
    Fill(w, {u"a"_qs, u"K9"_qs, u"1"_qs, u"个"_qs, u"1"_qs, {}});
    ClickSave(w);
  }));
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_NE(Messages().Last().text.indexOf(u"失败"_qs), -1);
  EXPECT_EQ(std::filesystem::file_size(DatabasePath()), std::string("not a goods database").size());
}

}  // namespace
}  // namespace quill
