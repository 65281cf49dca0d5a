#include "online/web_address.h"

#include "toolkit/seams.h"

namespace quill {

QUrl ServerUrl(const QString& base, const QString& path) {
  QString joined = base.trimmed();
  while (joined.endsWith(u'/')) joined.chop(1);
  QString relative = path;
  relative.replace(u'\\', u'/');
  if (!relative.startsWith(u'/')) relative.prepend(u'/');
  return QUrl(joined + relative);
}

QUrl ServerUrl(const QString& path) { return ServerUrl(ServerAddress(), path); }

bool IsWebAddress(const QString& text) {
  const QString trimmed = text.trimmed();
  for (const QChar c : trimmed) {
    if (c.isSpace() || c.category() == QChar::Other_Control) return false;
  }
  const QUrl url(trimmed, QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty()) return false;
  const QString scheme = url.scheme();
  return scheme == u"http" || scheme == u"https";
}

void OpenWebAddress(const QString& text) {
  if (IsWebAddress(text)) OpenWithShell(text.trimmed());
}

}  // namespace quill
