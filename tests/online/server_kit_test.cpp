#include <QDir>
#include <QFile>
#include <QTest>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "online/online_test_fixture.h"
#include "online/update_window.h"
#include "online/web_address.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/picture_box.h"
#include "toolkit/text_area.h"

// The server kit in the repository, served as a static web server would serve it, gives the
// program every resource it asks for.
namespace quill {
namespace {

QByteArray KitFile(const QString& path) {
  QFile file(QStringLiteral(QUILL_SERVER_KIT) + path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class ServerKitTest : public test::OnlineTest {
 protected:
  ServerKitTest() { server_.ServeDirectory(QStringLiteral(QUILL_SERVER_KIT)); }
};

TEST_F(ServerKitTest, UpdateCheckOffersTheKitsInstaller) {
  std::string information;
  UpdateWindow window(nullptr, information);
  ASSERT_TRUE(testing::ShowAndActivate(window));
  Button* button = window.findChild<Button*>(u"按钮1"_qs);
  EXPECT_EQ(button->Caption(), u"开始更新"_qs);
  EXPECT_TRUE(window.findChild<TextArea*>(u"编辑框1"_qs)->Text().contains(u"发现新版本"_qs));

  QTest::mouseClick(button, Qt::LeftButton);
  QFile installer(QDir(seams_.RunDir()).filePath(u"erp(1).exe"_qs));
  ASSERT_TRUE(installer.open(QIODevice::ReadOnly));
  EXPECT_EQ(installer.readAll(), KitFile(u"/soft/quillbin10/1.0-1.1.exe"_qs));
  EXPECT_EQ(seams_.shell.opened.size(), 1u);
}

TEST_F(ServerKitTest, BannerIsOnAnimatedAndLinksToAWebAddress) {
  MainWindow main;
  ASSERT_TRUE(testing::ShowAndActivate(main));
  LoadBanner(main);
  EXPECT_FALSE(main.Banner().isHidden());
  EXPECT_TRUE(main.Banner().IsAnimated());
  EXPECT_TRUE(IsWebAddress(QString::fromStdString(main.State().advert_link)));
}

TEST_F(ServerKitTest, PagesTheProgramOpensExist) {
  for (const char* path : {"/index.html", "/html/soft/94.html", "/gbook/index.html"}) {
    EXPECT_TRUE(KitFile(QString::fromLatin1(path)).startsWith("<!DOCTYPE html>")) << path;
  }
}

}  // namespace
}  // namespace quill
