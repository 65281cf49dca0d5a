#include "sales/ui/sale_rows.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "toolkit/gb18030.h"

namespace quill {
namespace {

TEST(SaleRows, ShowsTheStoredBytesAsText) {
  SaleRows rows;
  rows.SetEntries({{"\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7", "\xB8\xD6\xB1\xCA - G100", "12.5", "3",
                    "37.5 \xD4\xAA"}});
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.CellText(0, 0), u"零售客户"_qs);
  EXPECT_EQ(rows.CellText(0, 1), u"钢笔 - G100"_qs);
  EXPECT_EQ(rows.CellText(0, 4), u"37.5 元"_qs);
  EXPECT_EQ(rows.CellText(0, 5), QString()) << "no sixth column";
  EXPECT_EQ(rows.CellText(1, 0), QString()) << "no second row";
  EXPECT_EQ(rows.CellText(-1, 0), QString());
}

TEST(SaleRows, ReplacingEntriesTellsTheViewOnce) {
  SaleRows rows;
  rows.SetEntries({{"a", "", "", "", ""}});
  QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);
  QSignalSpy inserted(&rows, &QAbstractItemModel::rowsInserted);
  rows.SetEntries(std::vector<SaleEntry>(1000, SaleEntry{"b", "", "", "", ""}));
  EXPECT_EQ(rows.RowCount(), 1000);
  EXPECT_EQ(resets.count() + inserted.count(), 1);
  rows.SetEntries({});
  EXPECT_EQ(rows.RowCount(), 0);
}

TEST(SaleRows, RowsAddedOneByOneKeepTheirTextsAndValues) {
  SaleRows rows;
  EXPECT_EQ(rows.AppendRow(u"张三"_qs, 7), 0);
  EXPECT_EQ(rows.AppendRow(u"李四"_qs, 0), 1);
  rows.SetCellText(0, 3, u"２"_qs);
  rows.SetCellText(0, 9, u"ignored"_qs);
  rows.SetCellText(5, 0, u"ignored"_qs);
  EXPECT_EQ(rows.CellText(0, 0), u"张三"_qs);
  EXPECT_EQ(rows.CellText(0, 3), u"２"_qs);
  EXPECT_EQ(rows.Entries()[0].quantity, "\xA3\xB2");
  EXPECT_EQ(rows.RowValue(0), 7);
  EXPECT_EQ(rows.RowValue(1), 0);
  rows.ClearRows();
  EXPECT_EQ(rows.RowCount(), 0);
  EXPECT_EQ(rows.RowValue(0), 0);
}

}  // namespace
}  // namespace quill
