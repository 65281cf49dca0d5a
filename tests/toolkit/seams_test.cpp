#include "toolkit/seams.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "support/fake_seams.h"

namespace quill {
namespace {

TEST(Seams, DefaultsAreTheProgramsOwn) {
  InstallSeams(SeamSet{});
  EXPECT_EQ(RunDirectory(), QCoreApplication::applicationDirPath());
  EXPECT_EQ(ServerAddress(), QString::fromUtf8(QUILL_SERVER_URL));
  EXPECT_FALSE(DesktopDirectory().isEmpty());
  EXPECT_FALSE(DesktopDirectory().endsWith(u'/'));
  EXPECT_LE(qAbs(Now().secsTo(QDateTime::currentDateTime())), 5);
}

TEST(Seams, RunPathJoinsUnicodeNamesAsUtf8) {
  SeamSet set;
  set.run_directory = u"/tmp/运行/"_qs;
  InstallSeams(set);
  EXPECT_EQ(RunDirectory(), u"/tmp/运行"_qs);
  EXPECT_EQ(RunPath(u"商品数据库.edb"_qs).native(), std::string("/tmp/运行/商品数据库.edb"));
  EXPECT_EQ(FromPath(RunPath(u"2016-03-05.jl"_qs)), u"/tmp/运行/2016-03-05.jl"_qs);
  InstallSeams(SeamSet{});
}

TEST(Seams, ServerAddressLosesTrailingSlashes) {
  SeamSet set;
  set.server_address = u"http://127.0.0.1:8080//"_qs;
  InstallSeams(set);
  EXPECT_EQ(ServerAddress(), u"http://127.0.0.1:8080"_qs);
  InstallSeams(SeamSet{});
}

TEST(FakeSeams, RouteEverySeamAndRestoreDefaultsAfterwards) {
  {
    testing::FakeSeams fakes;
    fakes.messages.AnswerNext(kMessageCancel);
    EXPECT_EQ(ShowMessage(u"删除?"_qs, MessageStyle::kOkCancelQuestion, u"删除"_qs), kMessageCancel);
    EXPECT_EQ(ShowMessage(u"保存成功！"_qs), kMessageOk);  // queue empty: OK
    ASSERT_EQ(fakes.messages.Count(), 2);
    EXPECT_EQ(fakes.messages.All()[0].caption, u"删除"_qs);
    EXPECT_EQ(fakes.messages.All()[0].style, MessageStyle::kOkCancelQuestion);
    EXPECT_EQ(fakes.messages.Last().caption, u"信息："_qs);
    EXPECT_EQ(fakes.messages.Last().style, MessageStyle::kOk);

    OpenWithShell(u"http://127.0.0.1:9/?QUILLBIN1.0"_qs);
    ASSERT_EQ(fakes.shell.opened.size(), 1u);

    fakes.folder_picker.AnswerNext(u"/data"_qs);
    EXPECT_EQ(PickFolder(u"选择数据库保存目录："_qs, u"/home"_qs), u"/data"_qs);
    EXPECT_EQ(PickFolder(u"选择数据库保存目录："_qs, u"/home"_qs), std::nullopt);  // one answer only
    EXPECT_EQ(fakes.folder_picker.asked.size(), 2u);
    EXPECT_EQ(fakes.folder_picker.asked[0].start_directory, u"/home"_qs);

    EXPECT_EQ(Now(), QDateTime(QDate(2016, 3, 5), QTime(10, 30, 0)));
    EXPECT_EQ(RunDirectory(), fakes.RunDir());
    EXPECT_EQ(DesktopDirectory(), fakes.DesktopDir());
    EXPECT_NE(RunDirectory(), DesktopDirectory());
  }
  EXPECT_EQ(RunDirectory(), QCoreApplication::applicationDirPath());
}

}  // namespace
}  // namespace quill
