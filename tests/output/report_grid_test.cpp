#include "output/report_grid.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(ReportGridTest, StartsAsTheHiddenGridOfTheMainWindow) {
  ReportGrid grid;
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColumnCount(), 6);
  EXPECT_EQ(grid.FixedRowCount(), 1);
  EXPECT_EQ(grid.RowHeight(), 24);
  EXPECT_EQ(grid.Width(), 500);
  for (int column = 0; column < 6; ++column) EXPECT_EQ(grid.ColumnWidth(column), 60);
  EXPECT_TRUE(grid.Merges().empty());
  EXPECT_EQ(grid.Title().height, 0);
  const int expected[] = {40, 40, 20, 20, 60, 60, 20};
  for (int which = 1; which <= 7; ++which) {
    EXPECT_EQ(grid.PageLayout(static_cast<PageLayoutValue>(which)), expected[which - 1]) << which;
  }
}

TEST(ReportGridTest, PageLayoutValuesOutsideOneToSevenAreIgnored) {
  ReportGrid grid;
  grid.SetPageLayout(static_cast<PageLayoutValue>(0), 99);
  grid.SetPageLayout(static_cast<PageLayoutValue>(8), 99);
  EXPECT_EQ(grid.PageLayout(static_cast<PageLayoutValue>(8)), 0);
  grid.SetPageLayout(PageLayoutValue::kHeadGap, 60);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kHeadGap), 60);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kLeftMargin), 40);
}

TEST(ReportGridTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  ReportGrid grid;
  grid.SetCellText(5, 0, "x");
  grid.SetCellText(0, 6, "x");
  grid.SetCellText(-1, 0, "x");
  EXPECT_EQ(grid.Cell(5, 0).text, "");
  EXPECT_EQ(grid.Cell(0, 6).text, "");
  EXPECT_EQ(grid.Cell(-1, -1).text, "");
  grid.SetCellText(4, 5, "corner");
  EXPECT_EQ(grid.Cell(4, 5).text, "corner");
}

TEST(ReportGridTest, ResizingKeepsCellsThatRemainInside) {
  ReportGrid grid;
  grid.SetCellText(1, 2, "kept");
  grid.SetCellText(4, 5, "dropped");
  grid.SetColumnWidth(2, 90);
  grid.SetColumnCount(3);
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Cell(1, 2).text, "kept");
  grid.SetColumnCount(6);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.Cell(1, 2).text, "kept");
  EXPECT_EQ(grid.Cell(4, 5).text, "");
  EXPECT_EQ(grid.ColumnWidth(2), 90);
  EXPECT_EQ(grid.ColumnWidth(5), 60);
}

struct RangeCase {
  const char* name;
  CellRange asked;
  bool kept;
  CellRange stored;
};

class ReportGridMergeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ReportGridMergeTest, RangesAreCutBackToTheGrid) {
  const RangeCase& c = GetParam();
  ReportGrid grid;  // 5 × 6
  grid.Merge(c.asked);
  if (!c.kept) {
    EXPECT_TRUE(grid.Merges().empty());
    return;
  }
  ASSERT_EQ(grid.Merges().size(), 1u);
  EXPECT_EQ(grid.Merges()[0], c.stored);
  EXPECT_EQ(grid.MergeAt(c.stored.last_row, c.stored.last_column), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ReportGridMergeTest,
    testing::Values(RangeCase{"Inside", {1, 0, 1, 5}, true, {1, 0, 1, 5}},
                    RangeCase{"LastColumnBeyond", {4, 0, 4, 6}, true, {4, 0, 4, 5}},
                    RangeCase{"LastRowBeyond", {3, 1, 9, 2}, true, {3, 1, 4, 2}},
                    RangeCase{"StartsBelowTheGrid", {5, 0, 5, 5}, false, {}},
                    RangeCase{"StartsRightOfTheGrid", {0, 6, 0, 9}, false, {}},
                    RangeCase{"SingleCellIsNoMerge", {2, 2, 2, 2}, false, {}},
                    RangeCase{"CutToSingleCellIsNoMerge", {2, 5, 2, 8}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportGridTest, NewMergeReplacesTheRangesItOverlaps) {
  ReportGrid grid;
  grid.Merge({1, 0, 1, 2});
  grid.Merge({2, 0, 2, 2});
  grid.Merge({1, 2, 2, 4});
  ASSERT_EQ(grid.Merges().size(), 1u);
  EXPECT_EQ(grid.Merges()[0], (CellRange{1, 2, 2, 4}));
  EXPECT_FALSE(grid.MergeAt(1, 0).has_value());
}

TEST(ReportGridTest, ShrinkingCutsBackOrDropsMerges) {
  ReportGrid grid;
  grid.Merge({1, 0, 3, 5});
  grid.Merge({4, 0, 4, 5});
  grid.SetRowCount(3);
  ASSERT_EQ(grid.Merges().size(), 1u);
  EXPECT_EQ(grid.Merges()[0], (CellRange{1, 0, 2, 5}));
  grid.SetColumnCount(1);
  ASSERT_EQ(grid.Merges().size(), 1u);
  EXPECT_EQ(grid.Merges()[0], (CellRange{1, 0, 2, 0}));
  grid.SetRowCount(2);
  EXPECT_TRUE(grid.Merges().empty());  // a single cell left is no merge
}

TEST(ReportGridTest, BackgroundsAndFontHeightsAreCutBackAndCleared) {
  ReportGrid grid;
  const Rgb grey{240, 240, 240};
  grid.SetBackground({4, 0, 4, 6}, grey);
  grid.SetFontHeight({1, 0, 7, 6}, 14);
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(grid.Cell(4, column).background, grey) << column;
    EXPECT_FALSE(grid.Cell(3, column).background.has_value()) << column;
    EXPECT_EQ(grid.Cell(0, column).font_height, 0) << column;
    EXPECT_EQ(grid.Cell(4, column).font_height, 14) << column;
  }
  grid.ClearBackgrounds();
  EXPECT_FALSE(grid.Cell(4, 0).background.has_value());
  EXPECT_EQ(grid.Cell(4, 0).font_height, 14);
}

TEST(ReportGridTest, ColumnWidthsOutsideTheGridAreIgnored) {
  ReportGrid grid;
  grid.SetColumnWidth(6, 100);
  grid.SetColumnWidth(0, -5);
  EXPECT_EQ(grid.ColumnWidth(6), 0);
  EXPECT_EQ(grid.ColumnWidth(0), 0);
}

}  // namespace
}  // namespace quill
