#include "online/update_window.h"

#include <fstream>
#include <iterator>

#include <QDir>
#include <QTest>

#include "online/online_test_fixture.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/label.h"
#include "toolkit/progress_bar.h"
#include "toolkit/text_area.h"

namespace quill {
namespace {

using test::OnlineTest;
using test::ScriptedReply;
using testing::ShowAndActivate;
using testing::WaitUntil;

const QString kProbe = u"/soft/lianwang.txt"_qs;
const QString kVersion = u"/soft/quillbin10/1.0.txt"_qs;
const QString kInstaller = u"/soft/quillbin10/1.0-1.1.exe"_qs;

const QString kInitialText =
    u"\n 升级新版本可以给您带来更好的使用体验和更多功能使用：\n\n 正在连接互联网服务器，检查新版本中，请稍后..."_qs;
const QString kFailedText = u"\n  连接服务器失败，请查件网络连接！"_qs;
const QString kUpToDateText = u"\n  当前版本为最新版本，无需更新；感谢您的关注！"_qs;

// What the window shows, in the terms of its state table.
struct Shown {
  QString caption;
  bool enabled;
  QString text;
  int progress;
  bool link_visible;

  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{" << s.caption.toStdString() << ", " << (s.enabled ? "enabled" : "disabled")
             << ", \"" << s.text.toStdString() << "\", " << s.progress << ", "
             << (s.link_visible ? "link" : "no link") << "}";
}

class UpdateWindowTest : public OnlineTest {
 protected:
  // The window opened as the about window opens it, with its first check run.
  UpdateWindow& Open() {
    window_ = std::make_unique<UpdateWindow>(nullptr, information_);
    EXPECT_TRUE(ShowAndActivate(*window_));
    return *window_;
  }

  Button& TheButton() { return *window_->findChild<Button*>(u"按钮1"_qs); }
  Label& ManualLink() { return *window_->findChild<Label*>(u"透明标签1"_qs); }

  Shown Now() {
    return Shown{TheButton().Caption(), TheButton().isEnabled(),
                 window_->findChild<TextArea*>(u"编辑框1"_qs)->Text(),
                 window_->findChild<ProgressBar*>(u"进度条1"_qs)->Position(),
                 ManualLink().isVisible()};
  }

  QByteArray InstallerOnDisk() {
    std::ifstream in(seams_.RunFile(u"erp(1).exe"_qs), std::ios::binary);
    if (!in) return "<missing>";
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return QByteArray::fromStdString(bytes);
  }

  void ServeUpdate(const QByteArray& installer_reply_body = "MZ installer bytes") {
    server_.Serve(kProbe, ScriptedReply::Text("123"));
    server_.Serve(kVersion, ScriptedReply::Text("\xE6\x96\xB0\xE7\x89\x88 1.1"));  // 新版 1.1
    server_.Serve(kInstaller, ScriptedReply::Text(installer_reply_body));
  }

  std::string information_;
  std::unique_ptr<UpdateWindow> window_;
};

TEST_F(UpdateWindowTest, FormAsOpened) {
  // Nothing listens, so the check fails; the form itself is what this looks at.
  seams_.SetServerAddress(test::TestHttpServer::ClosedBaseUrl());
  UpdateWindow window(nullptr, information_);
  EXPECT_EQ(window.objectName(), u"UpdateWindow"_qs);
  EXPECT_EQ(window.Title(), u"检查更新："_qs);
  EXPECT_EQ(window.OuterWidth(), 580);
  EXPECT_EQ(window.OuterHeight(), 367);
  EXPECT_EQ(window.findChild<TextArea*>(u"编辑框1"_qs)->Text(), kInitialText);
  EXPECT_EQ(window.findChild<TextArea*>(u"编辑框1"_qs)->Background(), QColor(247, 255, 255));
  EXPECT_EQ(window.findChild<TextArea*>(u"编辑框1"_qs)->geometry(), QRect(7, 8, 560, 256));
  EXPECT_EQ(window.findChild<ProgressBar*>(u"进度条1"_qs)->Position(), 0);
  EXPECT_EQ(window.findChild<ProgressBar*>(u"进度条1"_qs)->geometry(), QRect(7, 268, 560, 24));
  Button* button = window.findChild<Button*>(u"按钮1"_qs);
  EXPECT_EQ(button->Caption(), u"下载更新"_qs);
  EXPECT_TRUE(button->isEnabled());
  EXPECT_EQ(button->geometry(), QRect(220, 300, 134, 30));
  Label* link = window.findChild<Label*>(u"透明标签1"_qs);
  EXPECT_EQ(link->Caption(), u"若下载失败，请点击这里手动下载"_qs);
  EXPECT_EQ(link->geometry(), QRect(386, 312, 192, 24));
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(server_.RequestedPaths().isEmpty());
}

// One row per server behaviour: what the probe and the version file answer, and the state the
// check ends in.
struct CheckCase {
  const char* name;
  std::optional<ScriptedReply> probe;    // unset: the default 404 page
  std::optional<ScriptedReply> version;  // unset: the default 404 page
  Shown shown;
  std::string information;  // GB18030; unchanged ("untouched") when the probe fails
  bool asks_version;
};

const std::string kUntouched = "untouched";

Shown Failed() { return {u"重试"_qs, true, kFailedText, 100, true}; }
Shown UpToDate() { return {u"暂无更新"_qs, false, kUpToDateText, 100, false}; }
Shown Available(const QString& text) { return {u"开始更新"_qs, true, text, 100, true}; }

ScriptedReply Ok(const QByteArray& body) { return ScriptedReply::Text(body); }

class UpdateCheckTest : public UpdateWindowTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(UpdateCheckTest, EndsInTheStateTheServerCallsFor) {
  const CheckCase& c = GetParam();
  if (c.probe) server_.Serve(kProbe, *c.probe);
  if (c.version) server_.Serve(kVersion, *c.version);
  information_ = kUntouched;
  Open();
  EXPECT_EQ(Now(), c.shown);
  EXPECT_EQ(information_, c.information);
  EXPECT_EQ(server_.RequestedPaths().contains(kVersion), c.asks_version);
  EXPECT_FALSE(server_.RequestedPaths().contains(kInstaller));
  EXPECT_TRUE(seams_.shell.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Servers, UpdateCheckTest,
    ::testing::Values(
        CheckCase{"up to date", Ok("123"), Ok("0"), UpToDate(), "0", true},
        CheckCase{"probe with line break", Ok("123\n"), Ok("0"), Failed(), kUntouched, false},
        CheckCase{"probe with leading space", Ok(" 123"), Ok("0"), Failed(), kUntouched, false},
        CheckCase{"probe with byte-order mark",
                  Ok("\xEF\xBB\xBF"
                     "123"),
                  Ok("0"), Failed(), kUntouched, false},
        CheckCase{"probe too short", Ok("12"), Ok("0"), Failed(), kUntouched, false},
        CheckCase{"probe too long", Ok("1234"), Ok("0"), Failed(), kUntouched, false},
        CheckCase{"probe text ends at zero byte", Ok(QByteArray("123\0x", 5)), Ok("0"), UpToDate(),
                  "0", true},
        CheckCase{"probe missing", std::nullopt, Ok("0"), Failed(), kUntouched, false},
        CheckCase{"probe error page", ScriptedReply::Text("<h1>Server Error</h1>", 500), Ok("0"),
                  Failed(), kUntouched, false},
        CheckCase{"probe broken off", ScriptedReply::BreakOff("123456", 3), Ok("0"), Failed(),
                  kUntouched, false},
        CheckCase{"probe never answers", ScriptedReply::Silent(), Ok("0"), Failed(), kUntouched,
                  false},
        CheckCase{"probe oversized", ScriptedReply::Endless(qint64{1} << 40), Ok("0"), Failed(),
                  kUntouched, false},
        CheckCase{"version zero with line break", Ok("123"), Ok("0\n"), Available(u"0\n"_qs), "0\n",
                  true},
        CheckCase{"version zero with CR LF", Ok("123"), Ok("0\r\n"), Available(u"0\n"_qs), "0\r\n",
                  true},
        CheckCase{
            "version in chinese", Ok("123"),
            Ok("\xE5\x8F\x91\xE7\x8E\xB0\xE6\x96\xB0\xE7\x89\x88\xE6\x9C\xAC V1.1\r\n"
               "\xE4\xBF\xAE\xE6\xAD\xA3\xE9\x97\xAE\xE9\xA2\x98"),
            Available(u"发现新版本 V1.1\n修正问题"_qs),
            "\xB7\xA2\xCF\xD6\xD0\xC2\xB0\xE6\xB1\xBE V1.1\r\n\xD0\xDE\xD5\xFD\xCE\xCA\xCC\xE2",
            true},
        CheckCase{"version outside gbk", Ok("123"), Ok("\xF0\x9F\x98\x80"), Available(u"😀"_qs),
                  "\x94\x39\xFC\x36", true},
        CheckCase{"version invalid utf-8", Ok("123"),
                  Ok("\xC0\xAF"
                     "abc"),
                  Available({}), "", true},
        CheckCase{"version in gbk", Ok("123"), Ok("\xD0\xC2\xB0\xE6"), Available({}), "", true},
        CheckCase{"version error page", Ok("123"), ScriptedReply::Text("Not Found", 404),
                  Available(u"Not Found"_qs), "Not Found", true},
        CheckCase{"version missing", Ok("123"), std::nullopt,
                  Available(u"<html><body>404 Not Found</body></html>"_qs),
                  "<html><body>404 Not Found</body></html>", true},
        CheckCase{"version empty", Ok("123"), Ok(""), Available({}), "", true},
        CheckCase{"version broken off", Ok("123"), ScriptedReply::BreakOff("0 and more", 1),
                  Available({}), "", true},
        CheckCase{"version never answers", Ok("123"), ScriptedReply::Silent(), Available({}), "",
                  true},
        CheckCase{"version oversized", Ok("123"), ScriptedReply::Endless(-1), Available({}), "",
                  true}),
    [](const auto& info) { return test::RowName(info); });

TEST_F(UpdateWindowTest, NoServerFailsTheConnection) {
  seams_.SetServerAddress(test::TestHttpServer::ClosedBaseUrl());
  Open();
  EXPECT_EQ(Now(), Failed());
}

TEST_F(UpdateWindowTest, RetryRunsTheWholeCheckAgain) {
  server_.Serve(kProbe, Ok("123\n"));
  Open();
  ASSERT_EQ(Now(), Failed());

  server_.Serve(kProbe, Ok("123"));
  server_.Serve(kVersion, Ok("0"));
  std::vector<Shown> whileChecking;
  server_.OnRequest([&](const QString&) { whileChecking.push_back(Now()); });
  QTest::mouseClick(&TheButton(), Qt::LeftButton);

  // Both requests of the second check saw the checking state: the caption first, the rest of
  // the failed state unchanged.
  const Shown checking{u"请稍后..."_qs, false, kFailedText, 100, true};
  EXPECT_EQ(whileChecking, (std::vector<Shown>{checking, checking}));
  EXPECT_EQ(Now(), UpToDate());
  EXPECT_EQ(server_.RequestedPaths(), (QStringList{kProbe, kProbe, kVersion}));
}

TEST_F(UpdateWindowTest, InputDuringTheCheckIsDropped) {
  server_.Serve(kProbe, ScriptedReply::Silent());
  bool stillOpenAfterEsc = false;
  server_.OnRequest([&](const QString&) {
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QTest::mouseClick(&ManualLink(), Qt::LeftButton);
    stillOpenAfterEsc = window_->IsOpen();
  });
  Open();
  QCoreApplication::processEvents();
  EXPECT_TRUE(stillOpenAfterEsc);
  EXPECT_TRUE(window_->IsOpen());
  EXPECT_TRUE(seams_.shell.opened.empty());
  EXPECT_EQ(Now(), Failed());
}

TEST_F(UpdateWindowTest, ManualDownloadLinkOpensItsPage) {
  const QString base = test::TestHttpServer::ClosedBaseUrl();
  seams_.SetServerAddress(base);
  Open();
  QTest::mouseClick(&ManualLink(), Qt::LeftButton);
  EXPECT_EQ(seams_.shell.opened, std::vector<QString>{base + "/html/soft/94.html"});
}

TEST_F(UpdateWindowTest, DownloadWritesStartsAndCloses) {
  ServeUpdate(QByteArray("MZ\0\x90installer", 13));
  Open();
  ASSERT_EQ(Now(), Available(u"新版 1.1"_qs));
  std::vector<Shown> whileDownloading;
  server_.OnRequest([&](const QString&) { whileDownloading.push_back(Now()); });
  QTest::mouseClick(&TheButton(), Qt::LeftButton);

  EXPECT_EQ(whileDownloading,
            (std::vector<Shown>{{u"下载中..."_qs, false, u"新版 1.1"_qs, 55, true}}));
  EXPECT_EQ(InstallerOnDisk(), QByteArray("MZ\0\x90installer", 13));
  const QString path = QDir(seams_.RunDir()).filePath(u"erp(1).exe"_qs);
  EXPECT_EQ(seams_.shell.opened, std::vector<QString>{path});
  EXPECT_TRUE(seams_.messages.All().empty());
  EXPECT_TRUE(WaitUntil([&] { return !window_->IsOpen(); }));
  // Nothing but the installer is left in the run directory.
  EXPECT_EQ(QDir(seams_.RunDir()).entryList(QDir::Files), QStringList{u"erp(1).exe"_qs});
}

TEST_F(UpdateWindowTest, SecondDownloadReplacesTheEarlierInstaller) {
  {
    std::ofstream earlier(seams_.RunFile(u"erp(1).exe"_qs), std::ios::binary);
    earlier << std::string(5000, 'o');
  }
  ServeUpdate("new");
  Open();
  QTest::mouseClick(&TheButton(), Qt::LeftButton);
  EXPECT_EQ(InstallerOnDisk(), "new");
  EXPECT_EQ(seams_.shell.opened.size(), 1u);
}

// Every way a download can fail: the user is told, nothing is started, an earlier installer is
// kept, and the button offers the download again beside the manual link.
struct FailedDownloadCase {
  const char* name;
  ScriptedReply reply;
};

class FailedDownloadTest : public UpdateWindowTest,
                           public ::testing::WithParamInterface<FailedDownloadCase> {};

TEST_P(FailedDownloadTest, TellsTheUserAndStartsNothing) {
  {
    std::ofstream earlier(seams_.RunFile(u"erp(1).exe"_qs), std::ios::binary);
    earlier << "earlier";
  }
  ServeUpdate();
  server_.Serve(kInstaller, GetParam().reply);
  Open();
  QTest::mouseClick(&TheButton(), Qt::LeftButton);

  EXPECT_TRUE(seams_.shell.opened.empty());
  EXPECT_EQ(InstallerOnDisk(), "earlier");
  ASSERT_EQ(seams_.messages.Count(), 1);
  EXPECT_TRUE(seams_.messages.Last().text.contains(u"下载更新失败"_qs));
  EXPECT_EQ(Now(), (Shown{u"重新下载"_qs, true, u"新版 1.1"_qs, 100, true}));
  EXPECT_TRUE(window_->IsOpen());

  // The button tries again, and this time the server delivers.
  server_.Serve(kInstaller, Ok("whole installer"));
  QTest::mouseClick(&TheButton(), Qt::LeftButton);
  EXPECT_EQ(InstallerOnDisk(), "whole installer");
  EXPECT_EQ(seams_.shell.opened.size(), 1u);
  EXPECT_EQ(server_.RequestedPaths().count(kInstaller), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, FailedDownloadTest,
    ::testing::Values(
        FailedDownloadCase{"breaks off", ScriptedReply::BreakOff(QByteArray(4000, 'i'), 1000)},
        FailedDownloadCase{"length mismatch",
                           [] {
                             ScriptedReply r = Ok("short");
                             r.announcedLength = 6;
                             return r;
                           }()},
        FailedDownloadCase{"not found page", ScriptedReply::Text("<h1>404</h1>", 404)},
        FailedDownloadCase{"server error", ScriptedReply::Text("oops", 500)},
        FailedDownloadCase{"empty body", Ok("")},
        FailedDownloadCase{"never answers", ScriptedReply::Silent()},
        FailedDownloadCase{"oversized", ScriptedReply::Endless(qint64{1} << 40)}),
    [](const auto& info) { return test::RowName(info); });

TEST_F(UpdateWindowTest, UnwritableInstallerIsReportedAndNotStarted) {
  // A folder where the installer belongs: the file cannot be written over it.
  ASSERT_TRUE(QDir(seams_.RunDir()).mkdir(u"erp(1).exe"_qs));
  ServeUpdate();
  Open();
  QTest::mouseClick(&TheButton(), Qt::LeftButton);
  EXPECT_TRUE(seams_.shell.opened.empty());
  ASSERT_EQ(seams_.messages.Count(), 1);
  EXPECT_TRUE(seams_.messages.Last().text.contains(u"无法保存安装程序"_qs));
  EXPECT_EQ(Now(), (Shown{u"重新下载"_qs, true, u"新版 1.1"_qs, 100, true}));
  EXPECT_TRUE(QFileInfo(QDir(seams_.RunDir()).filePath(u"erp(1).exe"_qs)).isDir());
}

TEST_F(UpdateWindowTest, EachCheckReplacesTheStoredInformation) {
  server_.Serve(kProbe, Ok("123"));
  server_.Serve(kVersion, Ok("first"));
  Open();
  EXPECT_EQ(information_, "first");
  window_.reset();
  server_.Serve(kVersion, Ok("\xFF"));
  Open();
  EXPECT_EQ(information_, "");
}

}  // namespace
}  // namespace quill
