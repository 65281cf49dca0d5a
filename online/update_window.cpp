#include "online/update_window.h"

#include <QSaveFile>

#include "online/http_client.h"
#include "online/server_text.h"
#include "online/web_address.h"
#include "toolkit/buttons.h"
#include "toolkit/fonts.h"
#include "toolkit/gb18030.h"
#include "toolkit/label.h"
#include "toolkit/progress_bar.h"
#include "toolkit/seams.h"
#include "toolkit/text_area.h"
#include "toolkit/wait_cursor.h"

namespace quill {
namespace {

constexpr char16_t kInitialText[] =
    u"\r\n 升级新版本可以给您带来更好的使用体验和更多功能使用：\r\n\r\n "
    u"正在连接互联网服务器，检查新版本中，请稍后...";
constexpr char16_t kConnectionFailedText[] = u"\r\n  连接服务器失败，请查件网络连接！";
constexpr char16_t kUpToDateText[] = u"\r\n  当前版本为最新版本，无需更新；感谢您的关注！";
constexpr char16_t kDownloadFailedText[] =
    u"下载更新失败，请稍后重试，或点击“若下载失败，请点击这里手动下载”。";
constexpr char16_t kWriteFailedText[] =
    u"无法保存安装程序，请检查磁盘空间和程序目录的写入权限，或点击“若下载失败，请点击这里手动下载”"
    u"。";

constexpr char16_t kRetryCaption[] = u"重试";
constexpr char16_t kNoUpdateCaption[] = u"暂无更新";
constexpr char16_t kRetryDownloadCaption[] = u"重新下载";

constexpr char kInstallerName[] = "erp(1).exe";

}  // namespace

UpdateWindow::UpdateWindow(QWidget* parent, std::string& information)
    : Window(parent, u"UpdateWindow"_qs, u"检查更新："_qs, QSize(580, 367), WindowKind::kModal),
      information_text_(information) {
  information_ = new TextArea(this, u"编辑框1"_qs, QRect(7, 8, 560, 256));
  information_->SetBackground(QColor(247, 255, 255));
  information_->setFont(FormFont(QString::fromUtf16(kFormFace), 13));
  information_->SetText(QString::fromUtf16(kInitialText));

  progress_ = new ProgressBar(this, u"进度条1"_qs, QRect(7, 268, 560, 24));
  progress_->SetPosition(0);

  button_ = new Button(this, u"按钮1"_qs, QRect(220, 300, 134, 30), u"下载更新"_qs);
  button_->setFont(FormFont(QString::fromUtf16(kFormFace), 14));
  connect(button_, &Button::clicked, this, &UpdateWindow::ButtonClicked);

  manual_link_ = new Label(this, u"透明标签1"_qs, QRect(386, 312, 192, 24),
                           u"若下载失败，请点击这里手动下载"_qs, Label::Kind::kTransparent);
  manual_link_->SetHandCursor(true);
  manual_link_->setFont(FormFont(QString::fromUtf16(kFormFace), 12, false, true, true));
  manual_link_->SetTextColour(QColor(0, 0, 128));
  connect(manual_link_, &Label::Released, this,
          [] { OpenWebAddress(ServerUrl(u"/html/soft/94.html"_qs).toString(QUrl::FullyEncoded)); });
}

void UpdateWindow::OnFirstActivated() { RunUpdateCheck(); }

void UpdateWindow::RunUpdateCheck() {
  const WaitCursor wait;
  button_->SetCaption(u"请稍后..."_qs);
  button_->setEnabled(false);

  const HttpResult probe = HttpGet(ServerUrl(u"/soft/lianwang.txt"_qs), kTextBodyLimit);
  if (!probe.complete || TextUpToZero(probe.body) != "123") {
    information_->SetText(QString::fromUtf16(kConnectionFailedText));
    progress_->SetPosition(100);
    button_->SetCaption(QString::fromUtf16(kRetryCaption));
    button_->setEnabled(true);
    return;
  }

  // An error page is shown like any other text; a transfer cut short gives no text at all.
  const HttpResult version = HttpGet(ServerUrl(u"/soft/quillbin10/1.0.txt"_qs), kTextBodyLimit);
  information_text_ = version.complete ? Utf8ToGb18030(version.body) : std::string();
  if (information_text_ == "0") {
    information_->SetText(QString::fromUtf16(kUpToDateText));
    button_->setEnabled(false);
    button_->SetCaption(QString::fromUtf16(kNoUpdateCaption));
    progress_->SetPosition(100);
    manual_link_->hide();
    return;
  }
  progress_->SetPosition(100);
  information_->SetText(FromGb18030(information_text_));
  button_->setEnabled(true);
  button_->SetCaption(u"开始更新"_qs);
  manual_link_->show();
}

void UpdateWindow::ButtonClicked() {
  const QString caption = button_->Caption();
  if (caption == QString::fromUtf16(kRetryCaption) ||
      caption == QString::fromUtf16(kNoUpdateCaption)) {
    RunUpdateCheck();
  } else {
    Download();
  }
}

void UpdateWindow::Download() {
  QString failure;
  {
    const WaitCursor wait;
    button_->setEnabled(false);
    button_->SetCaption(u"下载中..."_qs);
    progress_->SetPosition(55);

    const HttpResult installer =
        HttpGet(ServerUrl(u"/soft/quillbin10/1.0-1.1.exe"_qs), kInstallerBodyLimit);
    // Starting half an installer, or an error page saved as one, is worse than starting none.
    if (!installer.Succeeded() || installer.body.isEmpty()) {
      failure = QString::fromUtf16(kDownloadFailedText);
    } else {
      const QString path = FromPath(RunPath(QString::fromLatin1(kInstallerName)));
      // Written beside and renamed over, so an earlier installer is replaced whole or kept.
      QSaveFile file(path);
      if (file.open(QIODevice::WriteOnly) && file.write(installer.body) == installer.body.size() &&
          file.commit()) {
        OpenWithShell(path);
        CloseWindow();
        return;
      }
      failure = QString::fromUtf16(kWriteFailedText);
    }
  }
  DownloadFailed(failure);
}

void UpdateWindow::DownloadFailed(const QString& message) {
  ShowMessage(message, MessageStyle::kOkWarning);
  progress_->SetPosition(100);
  button_->SetCaption(QString::fromUtf16(kRetryDownloadCaption));
  button_->setEnabled(true);
  manual_link_->show();
}

}  // namespace quill
