#include "toolkit/window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "support/gui_wait.h"
#include "toolkit/buttons.h"

namespace quill {
namespace {

using testing::WaitUntil;
using testing::WhenModalShown;

// Records the events of a window in the order they arrive.
class RecordingWindow : public Window {
 public:
  RecordingWindow(WindowKind kind, QSize size = QSize(380, 250))
      : Window(nullptr, u"GoodsEditWindow"_qs, u"新建商品"_qs, size, kind) {
    button = new Button(this, u"按钮1"_qs, QRect(227, 185, 136, 32), u"保存"_qs);
  }

  QStringList events;
  Button* button;
  bool close_in_created = false;

 protected:
  void OnCreated() override {
    events << u"created"_qs;
    if (close_in_created) CloseWindow();
  }
  void OnSizeChanged(int w, int h) override {
    events << QStringLiteral("size %1x%2").arg(w).arg(h);
  }
  void OnFirstActivated() override { events << u"activated"_qs; }
  void OnWillBeDestroyed() override { events << u"destroyed"_qs; }
};

TEST(Window, EventsArriveInFormOrderOnce) {
  RecordingWindow window(WindowKind::kMain, QSize(943, 600));
  ASSERT_TRUE(testing::ShowAndActivate(window));
  window.SetOuterSize(800, 500);
  ASSERT_TRUE(WaitUntil([&] { return window.events.size() >= 4; }));
  window.CloseWindow();
  ASSERT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
  EXPECT_EQ(window.events, (QStringList{u"created"_qs, u"size 943x600"_qs, u"activated"_qs,
                                       u"size 800x500"_qs, u"destroyed"_qs}));
}

TEST(Window, OuterSizeIsClientPlusNominalFrame) {
  RecordingWindow window(WindowKind::kModal, QSize(380, 250));
  EXPECT_EQ(window.OuterWidth(), 380);
  EXPECT_EQ(window.OuterHeight(), 250);
  EXPECT_EQ(window.width(), 380 - Window::kFrameWidth);
  EXPECT_EQ(window.height(), 250 - Window::kFrameHeight);
  window.SetOuterSize(363, 309);  // a modal form may set its own size; it stays fixed
  EXPECT_EQ(window.OuterWidth(), 363);
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST(Window, ModalFrameIsFixedWithoutMinMaxAndMainIsResizable) {
  RecordingWindow modal(WindowKind::kModal);
  EXPECT_EQ(modal.minimumSize(), modal.maximumSize());
  EXPECT_FALSE(modal.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(modal.windowFlags() & Qt::WindowMaximizeButtonHint);
  RecordingWindow main(WindowKind::kMain, QSize(943, 600));
  EXPECT_NE(main.minimumSize(), main.maximumSize());
  EXPECT_TRUE(main.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(main.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(Window, StartsCentredOnTheScreen) {
  RecordingWindow window(WindowKind::kMain, QSize(600, 400));
  window.Show();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QPoint centre = window.pos() + QPoint(window.OuterWidth() / 2, window.OuterHeight() / 2);
  EXPECT_LE((centre - screen.center()).manhattanLength(), 2);
  window.CloseWindow();
  ASSERT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
}

TEST(Window, OpenModalReturnsAfterCloseFromAHandler) {
  RecordingWindow window(WindowKind::kModal);
  bool handler_finished_before_close = false;
  QObject::connect(window.button, &Button::clicked, &window, [&] {
    window.CloseWindow();
    // Closing waits for the running handler to return.
    handler_finished_before_close = window.IsOpen();
  });
  auto ran = WhenModalShown<RecordingWindow>(u"GoodsEditWindow"_qs, [](RecordingWindow& w) {
    QTest::mouseClick(w.button, Qt::LeftButton);
  });
  window.OpenModal();
  EXPECT_TRUE(*ran);
  EXPECT_TRUE(handler_finished_before_close);
  EXPECT_FALSE(window.IsOpen());
  EXPECT_EQ(window.events.back(), u"destroyed"_qs);
  EXPECT_EQ(window.events.count(u"destroyed"_qs), 1);
}

TEST(Window, EscapeClosesAModalWindow) {
  RecordingWindow window(WindowKind::kModal);
  QSignalSpy closed(&window, &Window::Closed);
  auto ran = WhenModalShown<RecordingWindow>(u"GoodsEditWindow"_qs, [](RecordingWindow& w) {
    QTest::keyClick(&w, Qt::Key_Escape);
  });
  window.OpenModal();
  EXPECT_TRUE(*ran);
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(window.events.count(u"destroyed"_qs), 1);
}

TEST(Window, CloseFromTheCreationHandlerStillReturns) {
  RecordingWindow window(WindowKind::kModal);
  window.close_in_created = true;
  window.OpenModal();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_EQ(window.events, (QStringList{u"created"_qs, u"destroyed"_qs}));
}

TEST(Window, DefaultButtonIsPressedByEnterOthersAreNot) {
  RecordingWindow window(WindowKind::kModal);
  auto* other = new Button(&window, u"按钮2"_qs, QRect(10, 10, 80, 30), u"其他"_qs);
  QSignalSpy default_clicks(window.button, &Button::clicked);
  QSignalSpy other_clicks(other, &Button::clicked);
  auto ran = WhenModalShown<RecordingWindow>(u"GoodsEditWindow"_qs, [&](RecordingWindow& w) {
    other->setFocus();
    QTest::keyClick(&w, Qt::Key_Return);  // no default yet: nothing
    w.button->SetDefault(true);
    QTest::keyClick(&w, Qt::Key_Return);
    w.CloseWindow();
  });
  window.OpenModal();
  EXPECT_TRUE(*ran);
  EXPECT_EQ(default_clicks.count(), 1);
  EXPECT_EQ(other_clicks.count(), 0);
}

}  // namespace
}  // namespace quill
