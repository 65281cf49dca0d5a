#include "output/ui/export_window.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>

#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "support/fake_seams.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/edit_box.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/progress_bar.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using testing::FakeSeams;
using testing::ShowAndActivate;
using testing::WhenModalShown;

// The template database exported (GBK bytes).
const std::string kTemplateExport =
    "\xC3\xFB\xB3\xC6,\xBB\xF5\xBA\xC5,\xB5\xA5\xBC\xDB,\xB5\xA5\xCE\xBB,\xBF\xE2\xB4\xE6,"
    "\xB1\xB8\xD7\xA2,\r\n"
    "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7,K001,25,\xB8\xF6,100,T\xD0\xF4\r\n"
    "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7,K002,125,\xCB\xAB,200,\xBF\xE3\xD7\xD3\r\n"
    "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7,K003,125,\xCC\xF5,199,\xC4\xDA\xD2\xC2\r\n"
    "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7,K004,125500,\xC1\xBE,200,\xBC\xAA\xC6\xD5\xB3\xB5\r\n";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path ExportFileIn(const QString& directory) { return ToPath(directory) / "数据库文件.xls"; }

class ExportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndActivate(main_)); }

  // Opens the export window from 按钮4, runs `steps` inside it, then closes it.
  void InExportWindow(std::function<void(ExportWindow&)> steps) {
    auto ran = WhenModalShown<ExportWindow>(u"ExportWindow"_qs, [steps](ExportWindow& window) {
      steps(window);
      window.CloseWindow();
    });
    ASSERT_TRUE(main_.ExportButton().isEnabled()) << main_.GoodsList().CurrentRow();
    main_.ExportButton().click();
    EXPECT_TRUE(*ran) << "the export window did not open";
  }

  FakeSeams seams_;
  MainWindow main_;
};

TEST_F(ExportWindowTest, RefusesWhenNoGoodsRowIsSelected) {
  main_.GoodsList().SetCurrentRow(-1);
  // Closes a wrongly opened window; dies with the test, so it cannot touch a later one.
  bool opened = false;
  QTimer guard;
  guard.setInterval(50);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (QWidget* window = testing::FindTopLevel(u"ExportWindow"_qs)) {
      opened = true;
      window->close();
    }
  });
  guard.start();
  OpenExport(main_);
  ASSERT_EQ(seams_.messages.Count(), 1);
  EXPECT_EQ(seams_.messages.Last().text, u"当前商品列表没有数据！"_qs);
  EXPECT_EQ(seams_.messages.Last().caption, u"信息："_qs);
  EXPECT_EQ(seams_.messages.Last().style, MessageStyle::kOk);
  EXPECT_FALSE(opened);
}

TEST_F(ExportWindowTest, OpensWithItsFormAndTheDesktopDirectory) {
  InExportWindow([&](ExportWindow& w) {
    EXPECT_EQ(w.Title(), u"导出数据"_qs);
    EXPECT_EQ(w.OuterWidth(), 426);
    EXPECT_EQ(w.OuterHeight(), 206);
    auto* option = w.findChild<RadioButton*>(u"单选框2"_qs);
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->text(), u"XLS格式表格文件（Excel打开时如乱码请选择中文字符集编码）"_qs);
    EXPECT_TRUE(option->Checked());
    EXPECT_EQ(option->geometry(), QRect(5, 24, 427, 24));
    auto* label = w.findChild<Label*>(u"标签1"_qs);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), u"文件目录："_qs);
    EXPECT_EQ(label->geometry(), QRect(14, 78, 56, 16));
    auto* box = w.findChild<EditBox*>(u"编辑框1"_qs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Mode(), InputMode::kReadOnly);
    EXPECT_EQ(box->geometry(), QRect(72, 73, 264, 24));
    EXPECT_EQ(box->Text(), seams_.DesktopDir() + u"/"_qs);
    auto* browse = w.findChild<Button*>(u"按钮2"_qs);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->Caption(), u"浏览..."_qs);
    EXPECT_EQ(browse->geometry(), QRect(344, 73, 72, 24));
    auto* start = w.findChild<Button*>(u"按钮1"_qs);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->Caption(), u"开始导出"_qs);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(start->geometry(), QRect(138, 122, 144, 32));
    auto* progress = w.findChild<ProgressBar*>(u"进度条1"_qs);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->Position(), 0);
    EXPECT_EQ(progress->geometry(), QRect(2, 160, 416, 16));
  });
}

TEST_F(ExportWindowTest, ExportWritesEveryRecordAndSaysSoOnlyAfterwards) {
  InExportWindow([&](ExportWindow& w) {
    w.ExportButton().click();
    EXPECT_EQ(ReadAll(ExportFileIn(seams_.DesktopDir())), kTemplateExport);
    EXPECT_EQ(w.ExportButton().Caption(), u"导出成功"_qs);
    EXPECT_FALSE(w.ExportButton().isEnabled());
    EXPECT_EQ(w.Progress().Position(), 100);
  });
  EXPECT_EQ(main_.State().export_text, kTemplateExport);
  EXPECT_EQ(seams_.messages.Count(), 0);
}

TEST_F(ExportWindowTest, NarrowedListStillExportsEveryRecord) {
  ListView& list = main_.GoodsList();
  const QString kept = list.CellText(2, 1);
  list.DeleteAllRows();
  list.AppendRow(u"测试商品"_qs, 18);
  list.SetCellText(0, 1, kept);
  list.SetCurrentRow(0);
  InExportWindow([&](ExportWindow& w) { w.ExportButton().click(); });
  EXPECT_EQ(ReadAll(ExportFileIn(seams_.DesktopDir())), kTemplateExport);
}

TEST_F(ExportWindowTest, CancelledPickerKeepsDirectoryAndButtonState) {
  InExportWindow([&](ExportWindow& w) {
    const QString before = w.DirectoryBox().Text();
    w.ExportButton().click();
    seams_.folder_picker.AnswerNext(std::nullopt);
    w.BrowseButton().click();
    ASSERT_EQ(seams_.folder_picker.asked.size(), 1u);
    EXPECT_EQ(seams_.folder_picker.asked[0].prompt, u"选择数据库保存目录："_qs);
    EXPECT_EQ(w.DirectoryBox().Text(), before);
    EXPECT_EQ(w.ExportButton().Caption(), u"导出成功"_qs);
    EXPECT_FALSE(w.ExportButton().isEnabled());
  });
}

TEST_F(ExportWindowTest, PickingADirectoryRearmsTheButtonForASecondExport) {
  QTemporaryDir other;
  InExportWindow([&](ExportWindow& w) {
    w.ExportButton().click();
    seams_.folder_picker.AnswerNext(other.path());
    w.BrowseButton().click();
    EXPECT_EQ(w.DirectoryBox().Text(), other.path());
    EXPECT_EQ(w.ExportButton().Caption(), u"开始导出"_qs);
    EXPECT_TRUE(w.ExportButton().isEnabled());
    w.ExportButton().click();
    EXPECT_EQ(w.ExportButton().Caption(), u"导出成功"_qs);
  });
  EXPECT_EQ(ReadAll(ExportFileIn(other.path())), kTemplateExport);
}

TEST_F(ExportWindowTest, MissingDirectoryFailsSilentlyWithTheButtonDisarmed) {
  const QString missing = seams_.DesktopDir() + u"/gone"_qs;
  InExportWindow([&](ExportWindow& w) {
    seams_.folder_picker.AnswerNext(missing);
    w.BrowseButton().click();
    EXPECT_FALSE(w.ExportGoods());
    EXPECT_EQ(w.ExportButton().Caption(), u"开始导出"_qs);
    EXPECT_FALSE(w.ExportButton().isEnabled());
    EXPECT_EQ(w.Progress().Position(), 100);
  });
  EXPECT_FALSE(fs::exists(ToPath(missing)));
  EXPECT_EQ(seams_.messages.Count(), 0);
}

TEST_F(ExportWindowTest, FailedWriteLeavesThePreviousFileUntouched) {
  const fs::path target = ExportFileIn(seams_.DesktopDir());
  std::ofstream(target, std::ios::binary) << "previous";
  InExportWindow([&](ExportWindow& w) {
    // A file size limit makes the write fail part way, as a full disk would.
    rlimit old_limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = w.ExportGoods();
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(w.ExportButton().Caption(), u"开始导出"_qs);
  });
  EXPECT_EQ(ReadAll(target), "previous");
  EXPECT_EQ(
      std::distance(fs::directory_iterator(ToPath(seams_.DesktopDir())), fs::directory_iterator()),
      1);
}

TEST_F(ExportWindowTest, DefaultDirectoryFallsBackToHomeWithoutADesktopFolder) {
  EXPECT_EQ(DefaultExportDirectory(), seams_.DesktopDir() + u"/"_qs);
  SeamSet set;
  set.message_boxes = &seams_.messages;
  set.desktop_directory = seams_.DesktopDir() + u"/no-such-folder"_qs;
  InstallSeams(set);
  EXPECT_EQ(DefaultExportDirectory(), QDir::homePath() + u"/"_qs);
  seams_.Reinstall();
}

}  // namespace
}  // namespace quill
