#include "toolkit/seams.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace quill {
namespace {

class DesktopMessageBoxes final : public MessageBoxes {
 public:
  int Show(const QString& text, MessageStyle style, const QString& caption) override {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (style) {
      case MessageStyle::kOk: break;
      case MessageStyle::kOkWarning: icon = QMessageBox::Warning; break;
      case MessageStyle::kOkInformation: icon = QMessageBox::Information; break;
      case MessageStyle::kOkCancelQuestion:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(icon, caption, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons & QMessageBox::Cancel) box.setEscapeButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? kMessageOk : kMessageCancel;
  }
};

class DesktopShellOpen final : public DesktopShell {
 public:
  void Open(const QString& target) override {
    const QUrl url = QUrl(target, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1) {
      QDesktopServices::openUrl(url);
    } else {
      QDesktopServices::openUrl(QUrl::fromLocalFile(target));
    }
  }
};

class DesktopFolderPicker final : public FolderPicker {
 public:
  std::optional<QString> Pick(const QString& prompt, const QString& start_directory) override {
    const QString picked = QFileDialog::getExistingDirectory(nullptr, prompt, start_directory);
    if (picked.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(picked);
  }
};

class SystemClock final : public Clock {
 public:
  QDateTime Now() override { return QDateTime::currentDateTime(); }
};

struct Installed {
  DesktopMessageBoxes real_messages;
  DesktopShellOpen real_shell;
  DesktopFolderPicker real_picker;
  SystemClock real_clock;
  SeamSet set;
};

Installed& Seams() {
  static Installed installed;
  return installed;
}

QString WithoutTrailingSlash(QString path) {
  while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\'))) path.chop(1);
  return path;
}

}  // namespace

void InstallSeams(const SeamSet& seams) { Seams().set = seams; }

int ShowMessage(const QString& text, MessageStyle style, const QString& caption) {
  Installed& s = Seams();
  MessageBoxes* boxes = s.set.message_boxes ? s.set.message_boxes : &s.real_messages;
  return boxes->Show(text, style, caption);
}

void OpenWithShell(const QString& target) {
  Installed& s = Seams();
  (s.set.shell ? s.set.shell : &s.real_shell)->Open(target);
}

std::optional<QString> PickFolder(const QString& prompt, const QString& start_directory) {
  Installed& s = Seams();
  return (s.set.folder_picker ? s.set.folder_picker : &s.real_picker)->Pick(prompt, start_directory);
}

QDateTime Now() {
  Installed& s = Seams();
  return (s.set.clock ? s.set.clock : &s.real_clock)->Now();
}

QString RunDirectory() {
  const Installed& s = Seams();
  if (s.set.run_directory) return WithoutTrailingSlash(*s.set.run_directory);
  return WithoutTrailingSlash(QCoreApplication::applicationDirPath());
}

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString FromPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path RunPath(const QString& file_name) {
  return ToPath(RunDirectory()) / ToPath(file_name);
}

QString ServerAddress() {
  const Installed& s = Seams();
  QString address = s.set.server_address ? *s.set.server_address : QString::fromUtf8(QUILL_SERVER_URL);
  while (address.endsWith(u'/')) address.chop(1);
  return address;
}

QString DesktopDirectory() {
  const Installed& s = Seams();
  if (s.set.desktop_directory) return WithoutTrailingSlash(*s.set.desktop_directory);
  QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (desktop.isEmpty()) desktop = QDir::homePath();
  return WithoutTrailingSlash(desktop);
}

}  // namespace quill
