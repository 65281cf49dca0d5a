#include "online/about_window.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "online/update_window.h"
#include "online/web_address.h"
#include "toolkit/buttons.h"
#include "toolkit/fonts.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/picture_box.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

// The maker's logo, drawn rather than carried as a file: 300 × 80 as the form holds it.
QByteArray LogoPicture() {
  QImage image(300, 80, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 300, 0);
  band.setColorAt(0, QColor(21, 101, 192));
  band.setColorAt(1, QColor(46, 125, 50));
  painter.setBrush(band);
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(2, 2, 296, 76), 14, 14);
  painter.setPen(Qt::white);
  painter.setFont(FormFont(QString::fromUtf16(kFormFace), 34, true));
  painter.drawText(QRect(0, 0, 300, 80), Qt::AlignCenter, u"Quillbin"_qs);
  painter.end();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace

QString AboutDescription() {
  return u"    本程序为最精简版的一款迷你型商品货物记录软件，操永久免费无\r\n\r\n"
         u"任何功能限制作简单易用，界面简洁是办公、商业、仓库、销售的好帮手。\r\n\r\n"
         u"本软件工作室会不断更新软件，达到受益于每一个用户，带来更好的便利。\r\n\r\n"
         u"欢迎反馈意见或建议，由任何更改需求和软件定制请与我联系。"_qs;
}

AboutWindow::AboutWindow(QWidget* parent, std::string& update_information)
    : Window(parent, u"AboutWindow"_qs, u"关于"_qs, QSize(413, 401), WindowKind::kModal) {
  auto* logo = new PictureBox(this, u"图片框1"_qs, QRect(103, 15, 200, 50));
  logo->SetPicture(LogoPicture());

  new Label(this, u"标签1"_qs, QRect(9, 87, 398, 164), AboutDescription());

  auto* home = new Label(this, u"透明标签1"_qs, QRect(265, 213, 145, 24), MainWindow::WebSiteText(),
                         Label::Kind::kTransparent);
  home->SetHandCursor(true);
  home->setFont(FormFont(QString::fromUtf16(kFormFace), 12, true, true, true));
  home->SetTextColour(QColor(0, 0, 255));
  // One click opens the home page once: on the release that completes it, not also on the press.
  connect(home, &Label::Released, this,
          [] { OpenWebAddress(ServerUrl(u"/"_qs).toString(QUrl::FullyEncoded)); });

  auto* feedback = new Label(this, u"透明标签2"_qs, QRect(265, 245, 145, 24),
                             u"在线留言发布意见及反馈"_qs, Label::Kind::kTransparent);
  feedback->SetHandCursor(true);
  feedback->setFont(FormFont(QString::fromUtf16(kFormFace), 12, false, false, true));
  feedback->SetTextColour(QColor(128, 0, 0));
  connect(feedback, &Label::Released, this,
          [] { OpenWebAddress(ServerUrl(u"/gbook/"_qs).toString(QUrl::FullyEncoded)); });

  auto* group = new GroupBox(this, u"分组框1"_qs, QRect(7, 265, 392, 104));
  auto* check = new Button(group, u"按钮1"_qs, QRect(8, 32, 161, 43), u"检查更新 免费升级"_qs);
  check->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  check->setIconSize(QSize(24, 24));
  connect(check, &Button::clicked, this, [this, &update_information] {
    UpdateWindow update(this, update_information);
    update.OpenModal();
  });
}

void OpenAbout(MainWindow& main) {
  AboutWindow about(&main, main.State().update_information);
  about.OpenModal();
}

}  // namespace quill
