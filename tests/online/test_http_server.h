#pragma once

#include <functional>
#include <map>
#include <optional>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace quill::test {

// What the server does for one path.
struct ScriptedReply {
  enum class Kind {
    kWhole,     // status line, headers, whole body, then close
    kBreakOff,  // announces the whole body but drops the connection after `sendBytes`
    kSilent,    // reads the request and never answers
    kEndless,   // streams `sendBytes` bytes of filler (without Content-Length when negative)
    kTrickle,   // one body byte every `trickleMs` milliseconds, for ever
  };
  Kind kind = Kind::kWhole;
  QByteArray body;
  int status = 200;
  std::optional<qint64> announcedLength;  // Content-Length sent; the body's size when unset
  bool sendLength = true;
  qint64 sendBytes = 0;
  int trickleMs = 20;
  QByteArray extraHeaders;  // whole header lines, each ending in CR LF

  static ScriptedReply Text(const QByteArray& body, int status = 200);
  static ScriptedReply BreakOff(const QByteArray& body, qint64 sendBytes);
  static ScriptedReply Silent();
  static ScriptedReply Endless(qint64 announced);  // announced < 0: no Content-Length
  static ScriptedReply Trickle();
  static ScriptedReply Redirect(const QByteArray& location);
};

// A small HTTP/1.1 server on 127.0.0.1 at a free port, answering each path from a script and
// 404 for anything else. It lives on the test's thread, so it answers while the code under
// test waits in its own event loop.
class TestHttpServer : public QObject {
  Q_OBJECT

 public:
  TestHttpServer();

  QString BaseUrl() const;
  void Serve(const QString& path, const ScriptedReply& reply);
  // Paths without a script are answered from the files under `root`, like a static web server.
  void ServeDirectory(const QString& root) { root_ = root; }
  // Request targets in order of arrival, exactly as they came on the request line.
  QStringList RequestedPaths() const { return requested_; }

  // Runs when a request has arrived, before it is answered: the code under test is waiting.
  void OnRequest(std::function<void(const QString& target)> hook) { hook_ = std::move(hook); }

  // A base address where nothing listens.
  static QString ClosedBaseUrl();

 private:
  void Accept();
  void Answer(class QTcpSocket* socket, const QString& target);

  QTcpServer server_;
  std::map<QString, ScriptedReply> script_;
  QStringList requested_;
  std::function<void(const QString&)> hook_;
  QString root_;
};

}  // namespace quill::test
