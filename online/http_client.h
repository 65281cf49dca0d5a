#pragma once

#include <chrono>

#include <QByteArray>
#include <QUrl>

namespace quill {

// How long a request may take. A server that stops sending for `silence`, or a request that
// runs longer than `total`, is cut off, so that no server can hold the program for ever.
struct RequestTimeouts {
  std::chrono::milliseconds silence{20000};
  std::chrono::milliseconds total{300000};
};

// Size limits of what the server sends.
inline constexpr qint64 kTextBodyLimit = qint64{1} << 20;      // probe, version, switch, link
inline constexpr qint64 kPictureBodyLimit = qint64{16} << 20;  // banner picture
inline constexpr qint64 kInstallerBodyLimit = qint64{256} << 20;

// Set once at start-up (tests shorten them); every later request uses them.
void SetRequestTimeouts(const RequestTimeouts& timeouts);
RequestTimeouts CurrentRequestTimeouts();

struct HttpResult {
  // The bytes received: the whole body whatever the status, the bytes received so far when the
  // transfer broke off or timed out, nothing when no answer came or the body was over the limit.
  QByteArray body;
  int status = 0;         // 0 when no HTTP answer came
  bool complete = false;  // ended normally and held exactly the announced length
  bool timedOut = false;
  bool tooLarge = false;

  bool Succeeded() const { return complete && status >= 200 && status <= 299; }
};

// Fetches `url` and returns when the transfer has ended. Meanwhile windows keep painting but
// every user input (mouse, keys, close requests) is dropped, so no handler runs a second time
// underneath the one that waits. A body longer than `maxBytes` is abandoned.
HttpResult HttpGet(const QUrl& url, qint64 maxBytes);

}  // namespace quill
