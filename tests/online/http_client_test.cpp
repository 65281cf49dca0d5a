#include "online/http_client.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/row_name.h"

#include "online/test_http_server.h"
#include "online/web_address.h"

namespace quill {
namespace {

using test::ScriptedReply;
using test::TestHttpServer;
using namespace std::chrono_literals;

class HttpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = CurrentRequestTimeouts();
    SetRequestTimeouts({1000ms, 3000ms});
  }
  void TearDown() override { SetRequestTimeouts(saved_); }

  HttpResult Get(const QString& path, qint64 maxBytes = 1000) {
    return HttpGet(ServerUrl(server_.BaseUrl(), path), maxBytes);
  }

  TestHttpServer server_;
  RequestTimeouts saved_;
};

struct ReplyCase {
  const char* name;
  ScriptedReply reply;
  QByteArray body;
  int status;
  bool complete;
  bool succeeded;
  bool timedOut = false;
  bool tooLarge = false;
};

std::ostream& operator<<(std::ostream& out, const ReplyCase& c) { return out << c.name; }

class HttpReplyTest : public HttpClientTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(HttpReplyTest, GivesBodyStatusAndCompleteness) {
  const ReplyCase& c = GetParam();
  server_.Serve("/r", c.reply);
  const HttpResult result = Get("/r");
  EXPECT_EQ(result.body, c.body);
  EXPECT_EQ(result.status, c.status);
  EXPECT_EQ(result.complete, c.complete);
  EXPECT_EQ(result.Succeeded(), c.succeeded);
  EXPECT_EQ(result.timedOut, c.timedOut);
  EXPECT_EQ(result.tooLarge, c.tooLarge);
}

ScriptedReply WithoutLength(const QByteArray& body) {
  ScriptedReply reply = ScriptedReply::Text(body);
  reply.sendLength = false;
  return reply;
}

ScriptedReply Announcing(const QByteArray& body, qint64 length) {
  ScriptedReply reply = ScriptedReply::Text(body);
  reply.announcedLength = length;
  return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpReplyTest,
    ::testing::Values(
        ReplyCase{"ok", ScriptedReply::Text("123"), "123", 200, true, true},
        ReplyCase{"empty ok", ScriptedReply::Text(""), "", 200, true, true},
        ReplyCase{"binary with zero bytes", ScriptedReply::Text(QByteArray("a\0b\xff", 4)),
                  QByteArray("a\0b\xff", 4), 200, true, true},
        ReplyCase{"not found page", ScriptedReply::Text("<h1>gone</h1>", 404), "<h1>gone</h1>", 404,
                  true, false},
        ReplyCase{"server error page", ScriptedReply::Text("oops", 500), "oops", 500, true, false},
        ReplyCase{"no length, ends at close", WithoutLength("abc"), "abc", 200, true, true},
        ReplyCase{"breaks off mid-body", ScriptedReply::BreakOff("0123456789", 4), "0123", 200,
                  false, false},
        ReplyCase{"announces more than it sends", Announcing("abc", 10), "abc", 200, false, false},
        ReplyCase{"announces less than it sends", Announcing("abcdef", 3), "abc", 200, true, true},
        ReplyCase{"exactly the size limit", ScriptedReply::Text(QByteArray(1000, 'z')),
                  QByteArray(1000, 'z'), 200, true, true},
        ReplyCase{"one byte over the size limit", WithoutLength(QByteArray(1001, 'z')), "", 200,
                  false, false, false, true},
        ReplyCase{"announces a huge body", ScriptedReply::Endless(qint64{1} << 36), "", 200, false,
                  false, false, true},
        ReplyCase{"streams for ever without length", ScriptedReply::Endless(-1), "", 200, false,
                  false, false, true},
        ReplyCase{"never answers", ScriptedReply::Silent(), "", 0, false, false, true}),
    [](const auto& info) { return quill::test::RowName(info); });

TEST_F(HttpClientTest, RedirectToAnotherWebAddressIsFollowed) {
  server_.Serve("/old", ScriptedReply::Redirect((server_.BaseUrl() + "/new").toLatin1()));
  server_.Serve("/new", ScriptedReply::Text("moved here"));
  const HttpResult result = Get("/old");
  EXPECT_EQ(result.body, "moved here");
  EXPECT_TRUE(result.Succeeded());
}

TEST_F(HttpClientTest, RedirectToALocalFileIsRefused) {
  QTemporaryFile local;
  ASSERT_TRUE(local.open());
  local.write("local secret");
  local.flush();
  server_.Serve("/old", ScriptedReply::Redirect(QUrl::fromLocalFile(local.fileName()).toEncoded()));
  const HttpResult result = Get("/old");
  EXPECT_FALSE(result.body.contains("local secret"));
  EXPECT_FALSE(result.Succeeded());
  EXPECT_FALSE(result.complete);
}

TEST_F(HttpClientTest, TrickleKeepsWhatArrivedBeforeTheTimeLimit) {
  server_.Serve("/t", ScriptedReply::Trickle());
  const HttpResult result = Get("/t");
  EXPECT_TRUE(result.timedOut);
  EXPECT_FALSE(result.complete);
  EXPECT_GT(result.body.size(), 0);
  EXPECT_EQ(result.body, QByteArray(result.body.size(), 'x'));
}

TEST_F(HttpClientTest, NoServerGivesNothing) {
  const HttpResult result =
      HttpGet(ServerUrl(TestHttpServer::ClosedBaseUrl(), "/soft/lianwang.txt"), 1000);
  EXPECT_TRUE(result.body.isEmpty());
  EXPECT_EQ(result.status, 0);
  EXPECT_FALSE(result.complete);
  EXPECT_FALSE(result.timedOut);
}

TEST_F(HttpClientTest, InvalidAddressGivesNothing) {
  const HttpResult result = HttpGet(QUrl(), 1000);
  EXPECT_TRUE(result.body.isEmpty());
  EXPECT_FALSE(result.complete);
}

TEST_F(HttpClientTest, BackslashesInThePathAreSentAsSlashes) {
  server_.Serve("/soft/quillbin10/guanggaokaiguan.txt", ScriptedReply::Text("0"));
  const HttpResult result = Get("/soft\\quillbin10\\guanggaokaiguan.txt");
  EXPECT_EQ(result.body, "0");
  EXPECT_EQ(server_.RequestedPaths(), QStringList{"/soft/quillbin10/guanggaokaiguan.txt"});
}

// While the request waits, input reaching the window is dropped rather than queued, and the
// window still repaints.
class PaintCounter : public QPushButton {
 public:
  using QPushButton::QPushButton;
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    QPushButton::paintEvent(event);
  }
};

TEST_F(HttpClientTest, WaitDropsInputButKeepsPainting) {
  PaintCounter button("press");
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  QSignalSpy clicks(&button, &QPushButton::clicked);
  server_.Serve("/slow", ScriptedReply::Silent());

  int paintsDuringWait = -1;
  QTimer::singleShot(50ms, &button, [&] {
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::keyClick(&button, Qt::Key_Space);
    const int before = button.paints;
    button.repaint();
    paintsDuringWait = button.paints - before;
  });
  const HttpResult result = Get("/slow");
  EXPECT_TRUE(result.timedOut);
  EXPECT_EQ(paintsDuringWait, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks.count(), 0);

  // Afterwards the button answers again.
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
}  // namespace quill
