#include <QBuffer>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/combo_box.h"
#include "toolkit/file_box.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/picture_box.h"
#include "toolkit/progress_bar.h"
#include "toolkit/status_bar.h"
#include "toolkit/text_area.h"
#include "toolkit/timer.h"
#include "toolkit/wait_cursor.h"

namespace quill {
namespace {

using testing::WaitUntil;

struct ClampCase {
  int set;
  int shown;
};

class ProgressBarClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ProgressBarClamp, KeepsPositionWithin0To100) {
  QWidget window;
  ProgressBar bar(&window, u"进度条1"_qs, QRect(2, 160, 416, 16));
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(GetParam().set);
  EXPECT_EQ(bar.Position(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Positions, ProgressBarClamp,
                         ::testing::Values(ClampCase{33, 33}, ClampCase{100, 100},
                                           ClampCase{101, 100}, ClampCase{-5, 0},
                                           ClampCase{0, 0}, ClampCase{1000000, 100}));

TEST(Timer, TicksAtItsPeriodAndZeroStopsIt) {
  QObject owner;
  Timer timer(&owner, u"时钟1"_qs);
  EXPECT_FALSE(timer.IsRunning());
  QSignalSpy ticks(&timer, &Timer::Tick);
  timer.SetPeriod(5);
  EXPECT_TRUE(timer.IsRunning());
  ASSERT_TRUE(ticks.wait(2000));
  timer.SetPeriod(0);
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_EQ(timer.Period(), 0);
  timer.SetPeriod(-3);  // a negative period stops it as well
  EXPECT_FALSE(timer.IsRunning());
}

class FileBoxTest : public ::testing::Test {
 protected:
  void Touch(const QString& name) {
    QFile f(dir_.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  QTemporaryDir dir_;
  QWidget window_;
};

TEST_F(FileBoxTest, ListsMatchingPlainFilesSortedByName) {
  for (const char* name : {"2016-03-05.jl", "2015-12-31.jl", "2016-03-04.jl", "notes.txt",
                           ".2016-01-01.jl", "b.JL"}) {
    Touch(QString::fromUtf8(name));
  }
  ASSERT_TRUE(QDir(dir_.path()).mkdir(u"2016-01-02.jl"_qs));  // a folder is never listed
  FileBox box(&window_, u"文件框1"_qs, QRect(8, 8, 128, 352), u"*.jl"_qs);
  QSignalSpy changed(&box, &FileBox::SelectionChanged);
  box.SetDirectory(dir_.path());
  const QStringList expected{u"2015-12-31.jl"_qs, u"2016-03-04.jl"_qs, u"2016-03-05.jl"_qs};
  const QStringList names = box.Names();
  // Case of the extension follows the file system's pattern matching; the rest is fixed.
  QStringList without_upper = names;
  without_upper.removeAll(u"b.JL"_qs);
  EXPECT_EQ(without_upper, expected);
  EXPECT_EQ(box.SelectedName(), QString());
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(FileBoxTest, ReListingReselectsSilentlyOrSelectsNothing) {
  Touch(u"2016-03-04.jl"_qs);
  Touch(u"2016-03-05.jl"_qs);
  FileBox box(&window_, u"文件框1"_qs, QRect(8, 8, 128, 352), u"*.jl"_qs);
  box.SetDirectory(dir_.path());
  QSignalSpy changed(&box, &FileBox::SelectionChanged);
  box.setCurrentRow(1);
  EXPECT_EQ(box.SelectedName(), u"2016-03-05.jl"_qs);
  EXPECT_EQ(changed.count(), 1);

  Touch(u"2016-01-01.jl"_qs);  // lands in front, so the selected name moves down
  box.SetDirectory(dir_.path());
  EXPECT_EQ(box.SelectedName(), u"2016-03-05.jl"_qs);
  EXPECT_EQ(box.currentRow(), 2);
  EXPECT_EQ(changed.count(), 1);

  ASSERT_TRUE(QFile::remove(dir_.filePath(u"2016-03-05.jl"_qs)));
  box.SetDirectory(dir_.path());
  EXPECT_EQ(box.SelectedName(), QString());
  EXPECT_EQ(box.Names().size(), 2);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(FileBoxTest, MissingDirectoryListsNothing) {
  FileBox box(&window_, u"文件框1"_qs, QRect(8, 8, 128, 352), u"*.jl"_qs);
  box.SetDirectory(dir_.filePath(u"gone"_qs));
  EXPECT_TRUE(box.Names().isEmpty());
  EXPECT_EQ(box.SelectedName(), QString());
}

TEST(StatusBar, PanesHaveFixedWidthsAndTextsAndPressIsReported) {
  QWidget window;
  window.resize(937, 571);
  StatusBar bar(&window, u"状态条1"_qs, QRect(0, 475, 937, 20));
  bar.AddPane(160, u" 永久免费 无任何功能限制"_qs);
  bar.AddPane(150, u" 简单易用 方便实用"_qs);
  EXPECT_EQ(bar.PaneCount(), 2);
  EXPECT_EQ(bar.PaneWidth(1), 150);
  EXPECT_EQ(bar.PaneText(0), u" 永久免费 无任何功能限制"_qs);
  EXPECT_EQ(bar.PaneText(5), QString());
  QSignalSpy pressed(&bar, &StatusBar::Pressed);
  QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(200, 10));
  QTest::mousePress(&bar, Qt::RightButton, {}, QPoint(200, 10));
  EXPECT_EQ(pressed.count(), 1);
}

TEST(StatusBar, DockedBarFollowsTheBottomEdge) {
  QWidget window;
  window.resize(937, 571);
  StatusBar bar(&window, u"状态条1"_qs, QRect(0, 475, 937, 20));
  bar.SetDockedToBottom(true);
  EXPECT_EQ(bar.geometry(), QRect(0, 551, 937, 20));
  window.show();
  window.resize(600, 400);
  ASSERT_TRUE(WaitUntil([&] { return bar.width() == 600; }));
  EXPECT_EQ(bar.geometry(), QRect(0, 380, 600, 20));
}

TEST(Label, CaptionTakesCrLfAndClicksAreReported) {
  QWidget window;
  Label label(&window, u"标签1"_qs, QRect(6, 17, 152, 170),
              u"商品名称：\r\n\r\n商品货号："_qs);
  EXPECT_EQ(label.Caption(), u"商品名称：\r\n\r\n商品货号："_qs);
  EXPECT_EQ(label.text(), u"商品名称：\n\n商品货号："_qs);
  QSignalSpy pressed(&label, &Label::Pressed);
  QSignalSpy released(&label, &Label::Released);
  QTest::mouseClick(&label, Qt::LeftButton);
  QTest::mouseClick(&label, Qt::RightButton);
  EXPECT_EQ(pressed.count(), 1);
  EXPECT_EQ(released.count(), 1);
  label.SetHandCursor(true);
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

QByteArray Encode(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// A two-frame GIF: 47 49 46 38 39 61 ("GIF89a") with a looping extension, built by hand
// since Qt writes no GIF.
QByteArray TwoFrameGif() {
  const unsigned char bytes[] = {
      0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x80, 0x00, 0x00,  // header
      0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF,                                          // red, blue
      0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01,
      0x00, 0x00, 0x00,                                                             // loop
      0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00,                              // delay
      0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00,                  // frame 1
      0x02, 0x02, 0x84, 0x51, 0x00,
      0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00,
      0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00,                  // frame 2
      0x02, 0x03, 0x8C, 0x2D, 0x05, 0x00,
      0x3B};
  return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(PictureBox, StretchesAStillPicture) {
  QWidget window;
  PictureBox box(&window, u"图片框1"_qs, QRect(577, 6, 350, 50));
  QImage red(10, 10, QImage::Format_RGB32);
  red.fill(Qt::red);
  box.SetPicture(Encode(red, "PNG"));
  EXPECT_FALSE(box.IsAnimated());
  const QImage shown = box.grab().toImage();
  EXPECT_EQ(shown.pixelColor(340, 45), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));
}

TEST(PictureBox, AnimatesAGif) {
  if (!QImageReader::supportedImageFormats().contains("gif")) GTEST_SKIP() << "no GIF reader";
  QWidget window;
  PictureBox box(&window, u"图片框1"_qs, QRect(0, 0, 350, 50));
  box.SetPicture(TwoFrameGif());
  EXPECT_TRUE(box.IsAnimated());
}

TEST(PictureBox, EmptyOrBrokenBytesShowOnlyTheBackground) {
  QWidget window;
  PictureBox box(&window, u"图片框1"_qs, QRect(0, 0, 100, 50));
  box.SetBackground(QColor(238, 255, 255));
  for (const QByteArray& bytes : {QByteArray(), QByteArray("not a picture")}) {
    box.SetPicture(bytes);
    EXPECT_FALSE(box.IsAnimated());
    EXPECT_EQ(box.grab().toImage().pixelColor(50, 25), QColor(238, 255, 255));
  }
}

TEST(PictureBox, ReleaseIsReportedForTheLeftButton) {
  QWidget window;
  PictureBox box(&window, u"图片框1"_qs, QRect(0, 0, 100, 50));
  QSignalSpy released(&box, &PictureBox::Released);
  QTest::mouseClick(&box, Qt::LeftButton);
  QTest::mouseClick(&box, Qt::RightButton);
  EXPECT_EQ(released.count(), 1);
}

TEST(ComboBox, NotEditableWithItsSelection) {
  QWidget window;
  ComboBox combo(&window, u"组合框1"_qs, QRect(16, 74, 56, 29), {u"名称"_qs, u"货号"_qs}, 0);
  EXPECT_FALSE(combo.isEditable());
  EXPECT_EQ(combo.SelectedIndex(), 0);
  combo.SetSelectedIndex(1);
  EXPECT_EQ(combo.currentText(), u"货号"_qs);
  ComboBox none(&window, u"组合框2"_qs, QRect(0, 0, 50, 20), {u"a"_qs});
  EXPECT_EQ(none.SelectedIndex(), -1);
}

TEST(Buttons, CaptionsStatesAndGroupBoxPlacement) {
  QWidget window;
  GroupBox group(&window, u"分组框1"_qs, QRect(7, 265, 392, 104));
  Button button(&group, u"按钮1"_qs, QRect(8, 32, 161, 43), u"检查更新 免费升级"_qs);
  EXPECT_EQ(button.parentWidget(), &group);
  EXPECT_EQ(button.geometry(), QRect(8, 32, 161, 43));
  EXPECT_FALSE(button.IsDefault());
  EXPECT_FALSE(button.autoDefault());
  CheckBox check(&window, u"选择框1"_qs, QRect(5, 199, 168, 16), u"保存后不关闭本窗口"_qs);
  EXPECT_FALSE(check.Checked());
  RadioButton radio(&window, u"单选框2"_qs, QRect(5, 24, 427, 24), u"XLS格式表格文件"_qs);
  radio.SetChecked(true);
  EXPECT_TRUE(radio.Checked());
}

TEST(TextArea, SetTextRaisesOneChangeAndTakesCrLf) {
  QWidget window;
  TextArea area(&window, u"编辑框1"_qs, QRect(7, 8, 560, 256));
  QSignalSpy changed(&area, &TextArea::TextChanged);
  area.SetText(u"\r\n 第一行\r\n\r\n 第二行"_qs);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(area.Text(), u"\n 第一行\n\n 第二行"_qs);
  area.SetBackground(QColor(247, 255, 255));
  EXPECT_EQ(area.Background(), QColor(247, 255, 255));
}

TEST(WaitCursor, ShowsAndRestoresInNestedOrder) {
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  {
    WaitCursor outer;
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    { WaitCursor inner; }
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quill
