#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "online/online_test_fixture.h"
#include "support/gui_wait.h"
#include "toolkit/picture_box.h"
#include "toolkit/status_bar.h"
#include "toolkit/timer.h"

namespace quill {
namespace {

using test::OnlineTest;
using test::ScriptedReply;

const QString kSwitch = u"/soft/quillbin10/guanggaokaiguan.txt"_qs;
const QString kPicture = u"/soft/quillbin10/guanggao.gif"_qs;
const QString kLink = u"/soft/quillbin10/guanggao.txt"_qs;

// The kit's banner: an animated GIF of our own.
QByteArray AnimatedGif() {
  QFile file(QStringLiteral(QUILL_SERVER_KIT "/soft/quillbin10/guanggao.gif"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BannerTest : public OnlineTest {
 protected:
  BannerTest() {
    // Temporary files of this test land in a folder of its own.
    saved_tmp_ = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp_.path().toLocal8Bit());
  }
  ~BannerTest() override { qputenv("TMPDIR", saved_tmp_); }

  MainWindow& Main() {
    if (!main_) {
      main_ = std::make_unique<MainWindow>();
      EXPECT_TRUE(testing::ShowAndActivate(*main_));
    }
    return *main_;
  }

  QStringList TemporaryFiles() const { return QDir(temp_.path()).entryList(QDir::Files); }

  QTemporaryDir temp_;
  QByteArray saved_tmp_;
  std::unique_ptr<MainWindow> main_;
};

struct SwitchCase {
  const char* name;
  std::optional<ScriptedReply> reply;
  bool shown;
};

class BannerSwitchTest : public BannerTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(BannerSwitchTest, OnlyAZeroSwitchesTheBannerOn) {
  const SwitchCase& c = GetParam();
  if (c.reply) server_.Serve(kSwitch, *c.reply);
  server_.Serve(kPicture, ScriptedReply::Text(AnimatedGif()));
  server_.Serve(kLink, ScriptedReply::Text("http://ads.example/"));
  LoadBanner(Main());
  EXPECT_EQ(!Main().Banner().isHidden(), c.shown);
  const QStringList all{kSwitch, kPicture, kLink};
  EXPECT_EQ(server_.RequestedPaths(), c.shown ? all : QStringList{kSwitch});
  EXPECT_EQ(TemporaryFiles().size(), c.shown ? 1 : 0);
  EXPECT_EQ(Main().State().advert_link, c.shown ? "http://ads.example/" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Switches, BannerSwitchTest,
    ::testing::Values(SwitchCase{"zero", ScriptedReply::Text("0"), true},
                      SwitchCase{"zero then zero byte",
                                 ScriptedReply::Text(QByteArray("0\0"
                                                                "1",
                                                                3)),
                                 true},
                      SwitchCase{"zero with line break", ScriptedReply::Text("0\n"), false},
                      SwitchCase{"zero with CR LF", ScriptedReply::Text("0\r\n"), false},
                      SwitchCase{"one", ScriptedReply::Text("1"), false},
                      SwitchCase{"empty", ScriptedReply::Text(""), false},
                      SwitchCase{"missing", std::nullopt, false},
                      SwitchCase{"error page saying zero", ScriptedReply::Text("0", 500), true},
                      SwitchCase{"broken off", ScriptedReply::BreakOff("0000", 1), false},
                      SwitchCase{"never answers", ScriptedReply::Silent(), false},
                      SwitchCase{"oversized", ScriptedReply::Endless(-1), false}),
    [](const auto& info) { return test::RowName(info); });

TEST_F(BannerTest, NoServerLeavesTheBannerHidden) {
  seams_.SetServerAddress(test::TestHttpServer::ClosedBaseUrl());
  LoadBanner(Main());
  EXPECT_TRUE(Main().Banner().isHidden());
  EXPECT_TRUE(TemporaryFiles().isEmpty());
}

TEST_F(BannerTest, PictureIsKeptInAUniqueTemporaryFileAndAnimated) {
  // A file already there keeps its name and content.
  QFile other(QDir(temp_.path()).filePath(u"ABC.tmp"_qs));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("other");
  other.close();

  server_.Serve(kSwitch, ScriptedReply::Text("0"));
  server_.Serve(kPicture, ScriptedReply::Text(AnimatedGif()));
  LoadBanner(Main());

  const PictureBox& box = Main().Banner();
  EXPECT_FALSE(box.isHidden());
  EXPECT_EQ(box.Picture(), AnimatedGif());
  EXPECT_TRUE(box.IsAnimated());
  QStringList files = TemporaryFiles();
  files.removeOne(u"ABC.tmp"_qs);
  ASSERT_EQ(files.size(), 1);
  EXPECT_TRUE(QRegularExpression(u"^[0-9A-F]+\\.tmp$"_qs).match(files[0]).hasMatch())
      << files[0].toStdString();
  QFile kept(QDir(temp_.path()).filePath(files[0]));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), AnimatedGif());
  QFile again(other.fileName());
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_EQ(again.readAll(), "other");
}

struct PictureCase {
  const char* name;
  ScriptedReply reply;
};

class BannerPictureTest : public BannerTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(BannerPictureTest, UnusablePictureShowsTheEmptyBox) {
  server_.Serve(kSwitch, ScriptedReply::Text("0"));
  server_.Serve(kPicture, GetParam().reply);
  server_.Serve(kLink, ScriptedReply::Text("http://ads.example/"));
  LoadBanner(Main());
  EXPECT_FALSE(Main().Banner().isHidden());
  EXPECT_FALSE(Main().Banner().IsAnimated());
  EXPECT_EQ(Main().State().advert_link, "http://ads.example/");
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BannerPictureTest,
    ::testing::Values(PictureCase{"missing", ScriptedReply::Text("Not Found", 404)},
                      PictureCase{"not an image", ScriptedReply::Text("hello")},
                      PictureCase{"broken off", ScriptedReply::BreakOff(AnimatedGif(), 20)},
                      PictureCase{"never answers", ScriptedReply::Silent()},
                      PictureCase{"oversized", ScriptedReply::Endless(qint64{1} << 40)}),
    [](const auto& info) { return test::RowName(info); });

struct LinkCase {
  const char* name;
  QByteArray link;
  std::vector<QString> opened;
};

class BannerLinkTest : public BannerTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(BannerLinkTest, ClickOpensOnlyWebAddresses) {
  server_.Serve(kSwitch, ScriptedReply::Text("0"));
  server_.Serve(kPicture, ScriptedReply::Text(AnimatedGif()));
  server_.Serve(kLink, ScriptedReply::Text(GetParam().link));
  LoadBanner(Main());
  ASSERT_FALSE(Main().Banner().isHidden());
  QTest::mouseClick(&Main().Banner(), Qt::LeftButton);
  EXPECT_EQ(seams_.shell.opened, GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Links, BannerLinkTest,
    ::testing::Values(
        LinkCase{"http", "http://ads.example/spring", {u"http://ads.example/spring"_qs}},
        LinkCase{"https", "https://ads.example/", {u"https://ads.example/"_qs}},
        LinkCase{"with line break", "http://ads.example/\r\n", {u"http://ads.example/"_qs}},
        LinkCase{"windows program", "C:\\Windows\\System32\\cmd.exe", {}},
        LinkCase{"unix program", "/bin/sh", {}}, LinkCase{"file address", "file:///bin/sh", {}},
        LinkCase{"other scheme", "smb://host/share/setup.exe", {}}, LinkCase{"empty", "", {}},
        LinkCase{"web address after zero byte", QByteArray("\0http://ads.example/", 20), {}}),
    [](const auto& info) { return test::RowName(info); });

TEST_F(BannerTest, FirstTickLoadsOnceAndStopsTheTimer) {
  server_.Serve(kSwitch, ScriptedReply::Text("1"));
  Timer& timer = Main().BannerTimer();
  EXPECT_EQ(timer.Period(), 10000);
  emit timer.Tick();
  EXPECT_EQ(timer.Period(), 0);
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_EQ(server_.RequestedPaths(), QStringList{kSwitch});
}

TEST_F(BannerTest, BannerStaysTwentyPixelsFromTheRightEdge) {
  server_.Serve(kSwitch, ScriptedReply::Text("0"));
  LoadBanner(Main());
  Main().SetOuterSize(1200, 700);
  EXPECT_TRUE(testing::WaitUntil([&] { return Main().OuterWidth() == 1200; }));
  EXPECT_EQ(Main().Banner().x(), 1200 - 350 - 20);
}

TEST_F(BannerTest, StatusBarOpensTheHomePageOnce) {
  QTest::mouseClick(&Main().Status(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(seams_.shell.opened, std::vector<QString>{Url(u"/?QUILLBIN1.0"_qs)});
}

}  // namespace
}  // namespace quill
