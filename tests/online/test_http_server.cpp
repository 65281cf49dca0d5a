#include "online/test_http_server.h"

#include <memory>

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace quill::test {

ScriptedReply ScriptedReply::Text(const QByteArray& body, int status) {
  ScriptedReply reply;
  reply.body = body;
  reply.status = status;
  return reply;
}

ScriptedReply ScriptedReply::BreakOff(const QByteArray& body, qint64 sendBytes) {
  ScriptedReply reply = Text(body);
  reply.kind = Kind::kBreakOff;
  reply.sendBytes = sendBytes;
  return reply;
}

ScriptedReply ScriptedReply::Silent() {
  ScriptedReply reply;
  reply.kind = Kind::kSilent;
  return reply;
}

ScriptedReply ScriptedReply::Endless(qint64 announced) {
  ScriptedReply reply;
  reply.kind = Kind::kEndless;
  reply.sendBytes = announced < 0 ? qint64{1} << 40 : announced;
  reply.sendLength = announced >= 0;
  if (announced >= 0) reply.announcedLength = announced;
  return reply;
}

ScriptedReply ScriptedReply::Trickle() {
  ScriptedReply reply;
  reply.kind = Kind::kTrickle;
  reply.sendLength = false;
  return reply;
}

ScriptedReply ScriptedReply::Redirect(const QByteArray& location) {
  ScriptedReply reply = Text("moved", 302);
  reply.extraHeaders = "Location: " + location + "\r\n";
  return reply;
}

TestHttpServer::TestHttpServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  connect(&server_, &QTcpServer::newConnection, this, &TestHttpServer::Accept);
}

QString TestHttpServer::BaseUrl() const {
  return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

QString TestHttpServer::ClosedBaseUrl() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  const quint16 port = probe.serverPort();
  probe.close();
  return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

void TestHttpServer::Serve(const QString& path, const ScriptedReply& reply) {
  script_[path] = reply;
}

void TestHttpServer::Accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    socket->setParent(this);
    auto request = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
      request->append(socket->readAll());
      const qsizetype end = request->indexOf("\r\n\r\n");
      if (end < 0) return;
      const QList<QByteArray> line = request->left(request->indexOf("\r\n")).split(' ');
      const QString target = line.size() >= 2 ? QString::fromLatin1(line[1]) : QString();
      requested_ << target;
      disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
      if (hook_) hook_(target);
      Answer(socket, target);
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void TestHttpServer::Answer(QTcpSocket* socket, const QString& target) {
  const auto found = script_.find(target);
  ScriptedReply reply = ScriptedReply::Text("<html><body>404 Not Found</body></html>", 404);
  if (found != script_.end()) {
    reply = found->second;
  } else if (!root_.isEmpty()) {
    QString path = QUrl::fromPercentEncoding(target.section(u'?', 0, 0).toLatin1());
    if (path.endsWith(u'/')) path += u"index.html";
    QFile file(QDir(root_).filePath(path.mid(1)));
    if (!path.contains(u"..") && file.open(QIODevice::ReadOnly)) {
      reply = ScriptedReply::Text(file.readAll());
    }
  }
  if (reply.kind == ScriptedReply::Kind::kSilent) return;

  QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n";
  head += "Content-Type: application/octet-stream\r\nConnection: close\r\n";
  if (reply.sendLength) {
    const qint64 length = reply.announcedLength.value_or(reply.body.size());
    head += "Content-Length: " + QByteArray::number(length) + "\r\n";
  }
  head += reply.extraHeaders;
  head += "\r\n";
  socket->write(head);

  switch (reply.kind) {
    case ScriptedReply::Kind::kWhole:
      socket->write(reply.body);
      socket->disconnectFromHost();
      break;
    case ScriptedReply::Kind::kBreakOff:
      socket->write(reply.body.left(reply.sendBytes));
      socket->disconnectFromHost();
      break;
    case ScriptedReply::Kind::kEndless: {
      // Keeps a bounded amount in flight; stops when the client hangs up.
      auto left = std::make_shared<qint64>(reply.sendBytes);
      auto feed = [socket, left] {
        const QByteArray filler(64 * 1024, 'x');
        while (*left > 0 && socket->bytesToWrite() < 256 * 1024 &&
               socket->state() == QAbstractSocket::ConnectedState) {
          const qint64 n = std::min<qint64>(*left, filler.size());
          socket->write(filler.constData(), n);
          *left -= n;
        }
        if (*left == 0) socket->disconnectFromHost();
      };
      connect(socket, &QTcpSocket::bytesWritten, socket, feed);
      feed();
      break;
    }
    case ScriptedReply::Kind::kTrickle: {
      auto* timer = new QTimer(socket);
      connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
      timer->start(reply.trickleMs);
      break;
    }
    case ScriptedReply::Kind::kSilent:
      break;
  }
}

}  // namespace quill::test
