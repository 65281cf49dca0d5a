#include "online/http_client.h"

#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace quill {
namespace {

RequestTimeouts& Timeouts() {
  static RequestTimeouts timeouts;
  return timeouts;
}

// Drops user input for the whole application while a request waits in a nested event loop.
// Queueing the input instead would replay a click after the wait and run its handler again.
class InputBlocker : public QObject {
 public:
  InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
  ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TouchCancel:
      case QEvent::TabletPress:
      case QEvent::TabletRelease:
      case QEvent::Drop:
      case QEvent::InputMethod:
        return true;
      case QEvent::Close:
        // The user's close box; the handler that waits still needs its window afterwards.
        return event->spontaneous();
      default:
        return QObject::eventFilter(watched, event);
    }
  }
};

}  // namespace

void SetRequestTimeouts(const RequestTimeouts& timeouts) { Timeouts() = timeouts; }

RequestTimeouts CurrentRequestTimeouts() { return Timeouts(); }

HttpResult HttpGet(const QUrl& url, qint64 maxBytes) {
  HttpResult result;
  if (!url.isValid() || QCoreApplication::instance() == nullptr) return result;

  const RequestTimeouts timeouts = Timeouts();
  InputBlocker blocker;
  QNetworkAccessManager manager;
  QNetworkRequest request(url);
  // Asking for the body as stored keeps Content-Length comparable with the bytes received.
  request.setRawHeader("Accept-Encoding", "identity");
  request.setTransferTimeout(0);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::UserVerifiedRedirectPolicy);
  std::unique_ptr<QNetworkReply> reply(manager.get(request));

  QEventLoop loop;
  QTimer silence;
  silence.setSingleShot(true);
  silence.setInterval(timeouts.silence);
  QTimer total;
  total.setSingleShot(true);
  total.setInterval(timeouts.total);

  auto giveUp = [&](bool* reason) {
    *reason = true;
    reply->abort();
  };
  QObject::connect(&silence, &QTimer::timeout, &loop, [&] { giveUp(&result.timedOut); });
  QObject::connect(&total, &QTimer::timeout, &loop, [&] { giveUp(&result.timedOut); });
  QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && announced.toLongLong() > maxBytes) giveUp(&result.tooLarge);
  });
  QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
    silence.start();
    if (result.tooLarge || result.timedOut) return;
    result.body += reply->readAll();
    if (result.body.size() > maxBytes) giveUp(&result.tooLarge);
  });
  // A redirect may lead to another web address, never to a local file or a weaker scheme.
  QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, [&](const QUrl& target) {
    const QString from = reply->url().scheme();
    const QString to = target.scheme();
    const bool web = to == u"http" || to == u"https";
    if (web && !(from == u"https" && to == u"http")) {
      emit reply->redirectAllowed();
    } else {
      reply->abort();
    }
  });
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

  silence.start();
  total.start();
  if (!reply->isFinished()) loop.exec();
  silence.stop();
  total.stop();

  if (!result.tooLarge && !result.timedOut) result.body += reply->readAll();
  if (result.tooLarge || result.body.size() > maxBytes) {
    result.tooLarge = true;
    result.body.clear();
  }
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  result.status = status.isValid() ? status.toInt() : 0;

  // An error status still delivers its page whole (Qt numbers those errors 201-299 and
  // 401-499); connection, time-out, proxy and protocol errors mean the body is not all there.
  const int error = reply->error();
  const bool transferEnded = error == QNetworkReply::NoError || (error >= 201 && error <= 299) ||
                             (error >= 401 && error <= 499);
  const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
  const bool lengthMatches = !announced.isValid() || announced.toLongLong() == result.body.size();
  result.complete =
      transferEnded && lengthMatches && result.status != 0 && !result.timedOut && !result.tooLarge;
  return result;
}

}  // namespace quill
