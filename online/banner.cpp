#include <random>

#include <QDir>
#include <QFile>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "online/http_client.h"
#include "online/server_text.h"
#include "online/web_address.h"
#include "toolkit/gb18030.h"
#include "toolkit/picture_box.h"
#include "toolkit/timer.h"

namespace quill {
namespace {

// Creates a file named by a hexadecimal number and ".tmp" in the temporary directory, under a
// name no existing file there uses, and writes `bytes` as its content. The file stays on disk.
// Returns the path, empty when no file could be created.
QString WriteUniqueTemporaryFile(const QByteArray& bytes) {
  static std::mt19937 numbers{std::random_device{}()};
  const QDir directory(QDir::tempPath());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString name = QString::number(numbers(), 16).toUpper() + u".tmp"_qs;
    QFile file(directory.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (file.exists()) continue;
      return {};
    }
    file.write(bytes);
    return file.fileName();
  }
  return {};
}

QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray BodyIfComplete(const HttpResult& result) {
  return result.complete ? result.body : QByteArray();
}

}  // namespace

void LoadBanner(MainWindow& main) {
  // The requests run a nested event loop; a second tick must not start a second load meanwhile.
  main.BannerTimer().SetPeriod(0);

  const HttpResult banner_switch =
      HttpGet(ServerUrl(u"/soft\\quillbin10\\guanggaokaiguan.txt"_qs), kTextBodyLimit);
  if (TextUpToZero(BodyIfComplete(banner_switch)) != "0") return;

  const HttpResult picture =
      HttpGet(ServerUrl(u"/soft\\quillbin10\\guanggao.gif"_qs), kPictureBodyLimit);
  const QString picture_path = WriteUniqueTemporaryFile(BodyIfComplete(picture));
  main.Banner().SetPicture(picture_path.isEmpty() ? QByteArray() : ReadWholeFile(picture_path));
  main.Banner().show();

  const HttpResult link = HttpGet(ServerUrl(u"/soft\\quillbin10\\guanggao.txt"_qs), kTextBodyLimit);
  const QByteArray link_text = TextUpToZero(BodyIfComplete(link));
  main.State().advert_link.assign(link_text.constData(), link_text.size());
}

void OpenBannerLink(MainWindow& main) {
  // The link comes from the server: only a web address may reach the shell.
  OpenWebAddress(FromGb18030(main.State().advert_link));
}

void OpenHomePageFromStatusBar(MainWindow&) {
  OpenWebAddress(ServerUrl(u"/?QUILLBIN1.0"_qs).toString(QUrl::FullyEncoded));
}

}  // namespace quill
