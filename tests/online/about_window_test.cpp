#include "online/about_window.h"

#include <QTest>
#include <QTimer>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "online/online_test_fixture.h"
#include "online/update_window.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/picture_box.h"

namespace quill {
namespace {

using test::OnlineTest;
using test::ScriptedReply;
using testing::ShowAndActivate;
using testing::WhenModalShown;

const QString kDescription =
    u"    本程序为最精简版的一款迷你型商品货物记录软件，操永久免费无\r\n\r\n"
    u"任何功能限制作简单易用，界面简洁是办公、商业、仓库、销售的好帮手。\r\n\r\n"
    u"本软件工作室会不断更新软件，达到受益于每一个用户，带来更好的便利。\r\n\r\n"
    u"欢迎反馈意见或建议，由任何更改需求和软件定制请与我联系。"_qs;

// Closes the update window once its first check has ended. The check waits in nested event
// loops; closing from inside one of them would act before the window's own loop runs.
void CloseAfterCheck(UpdateWindow& update, std::function<void()> then = {}) {
  const Button* button = update.findChild<Button*>(u"按钮1"_qs);
  if (!update.FirstActivationDone() || button->Caption() == u"请稍后..."_qs) {
    QTimer::singleShot(10, &update, [&update, then] { CloseAfterCheck(update, then); });
    return;
  }
  update.CloseWindow();
  if (then) then();
}

class AboutWindowTest : public OnlineTest {
 protected:
  AboutWindow& Open() {
    window_ = std::make_unique<AboutWindow>(nullptr, information_);
    EXPECT_TRUE(ShowAndActivate(*window_));
    return *window_;
  }
  template <class T>
  T& Control(const QString& name) {
    T* control = window_->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return *control;
  }

  std::string information_;
  std::unique_ptr<AboutWindow> window_;
};

TEST_F(AboutWindowTest, Form) {
  AboutWindow& about = Open();
  EXPECT_EQ(about.objectName(), u"AboutWindow"_qs);
  EXPECT_EQ(about.Title(), u"关于"_qs);
  EXPECT_EQ(about.OuterWidth(), 413);
  EXPECT_EQ(about.OuterHeight(), 401);

  EXPECT_EQ(Control<PictureBox>(u"图片框1"_qs).geometry(), QRect(103, 15, 200, 50));
  EXPECT_FALSE(Control<PictureBox>(u"图片框1"_qs).Picture().isEmpty());

  Label& description = Control<Label>(u"标签1"_qs);
  EXPECT_EQ(description.geometry(), QRect(9, 87, 398, 164));
  EXPECT_EQ(description.Caption(), kDescription);
  EXPECT_EQ(AboutDescription(), kDescription);
  // Shown with its line breaks: four paragraphs with an empty line between each.
  EXPECT_EQ(description.text().split(u'\n').size(), 7);
  EXPECT_FALSE(description.text().contains(u'\r'));

  Label& home = Control<Label>(u"透明标签1"_qs);
  EXPECT_EQ(home.geometry(), QRect(265, 213, 145, 24));
  EXPECT_EQ(home.Caption(), MainWindow::WebSiteText());
  EXPECT_EQ(home.cursor().shape(), Qt::PointingHandCursor);
  Label& feedback = Control<Label>(u"透明标签2"_qs);
  EXPECT_EQ(feedback.geometry(), QRect(265, 245, 145, 24));
  EXPECT_EQ(feedback.Caption(), u"在线留言发布意见及反馈"_qs);
  EXPECT_EQ(feedback.cursor().shape(), Qt::PointingHandCursor);

  GroupBox& group = Control<GroupBox>(u"分组框1"_qs);
  EXPECT_EQ(group.geometry(), QRect(7, 265, 392, 104));
  Button& check = Control<Button>(u"按钮1"_qs);
  EXPECT_EQ(check.parentWidget(), &group);
  EXPECT_EQ(check.geometry(), QRect(8, 32, 161, 43));
  EXPECT_EQ(check.Caption(), u"检查更新 免费升级"_qs);
  EXPECT_FALSE(check.icon().isNull());

  // The about window itself asks the server nothing.
  EXPECT_TRUE(server_.RequestedPaths().isEmpty());
}

struct LinkCase {
  const char* name;
  const char16_t* label;
  const char16_t* path;
};

class AboutLinkTest : public AboutWindowTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(AboutLinkTest, OneClickOpensThePageOnce) {
  Open();
  QTest::mouseClick(&Control<Label>(QString::fromUtf16(GetParam().label)), Qt::LeftButton);
  EXPECT_EQ(seams_.shell.opened, std::vector<QString>{Url(QString::fromUtf16(GetParam().path))});
}

INSTANTIATE_TEST_SUITE_P(Links, AboutLinkTest,
                         ::testing::Values(LinkCase{"home page", u"透明标签1", u"/"},
                                           LinkCase{"feedback", u"透明标签2", u"/gbook/"}),
                         [](const auto& info) { return test::RowName(info); });

TEST_F(AboutWindowTest, ButtonOpensTheUpdateWindowModallyAndReturns) {
  server_.Serve(u"/soft/lianwang.txt"_qs, ScriptedReply::Text("123"));
  server_.Serve(u"/soft/quillbin10/1.0.txt"_qs, ScriptedReply::Text("0"));
  Open();
  bool wasModal = false;
  auto ran = WhenModalShown<UpdateWindow>(u"UpdateWindow"_qs, [&](UpdateWindow& update) {
    wasModal = update.isModal() || update.windowModality() != Qt::NonModal;
    CloseAfterCheck(update);
  });
  QTest::mouseClick(&Control<Button>(u"按钮1"_qs), Qt::LeftButton);
  EXPECT_TRUE(*ran);
  EXPECT_TRUE(wasModal);
  EXPECT_TRUE(window_->IsOpen());
  EXPECT_EQ(information_, "0");
  EXPECT_EQ(server_.RequestedPaths(),
            (QStringList{u"/soft/lianwang.txt"_qs, u"/soft/quillbin10/1.0.txt"_qs}));
}

TEST_F(AboutWindowTest, MainWindowButtonOpensItAndKeepsTheUpdateInformation) {
  server_.Serve(u"/soft/lianwang.txt"_qs, ScriptedReply::Text("123"));
  server_.Serve(u"/soft/quillbin10/1.0.txt"_qs, ScriptedReply::Text("1.1"));
  MainWindow main;
  ASSERT_TRUE(ShowAndActivate(main));
  auto closedUpdate = std::make_shared<bool>(false);
  auto ran = WhenModalShown<AboutWindow>(u"AboutWindow"_qs, [&](AboutWindow& about) {
    WhenModalShown<UpdateWindow>(u"UpdateWindow"_qs, [&](UpdateWindow& update) {
      CloseAfterCheck(update, [closedUpdate] { *closedUpdate = true; });
    });
    QTest::mouseClick(about.findChild<Button*>(u"按钮1"_qs), Qt::LeftButton);
    about.CloseWindow();
  });
  OpenAbout(main);
  EXPECT_TRUE(*ran);
  EXPECT_TRUE(*closedUpdate);
  EXPECT_EQ(main.State().update_information, "1.1");
}

}  // namespace
}  // namespace quill
