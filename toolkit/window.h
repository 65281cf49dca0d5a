#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

namespace quill {

// How a window is framed and opened.
enum class WindowKind {
  kModal,  // fixed frame, no minimise or maximise button, opened with OpenModal
  kMain,   // resizable, both buttons, shown with Show
};

// A window of a form: outer size, title, centred start, Esc closes, and the four events of a
// form as virtual hooks, raised in this order: created (once, before the window is first
// shown), size changed (on every size change, the first sizing included), first activated
// (once), will be destroyed (once, however the window closes).
//
// Sizes given and reported are outer sizes, as the forms give them; the client area is
// smaller by a fixed nominal frame, so that layouts come out the same on every platform.
class Window : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kFrameWidth = 6;    // left and right border together
  static constexpr int kFrameHeight = 29;  // caption bar and bottom border together

  Window(QWidget* parent, const QString& name, const QString& title, QSize outer_size,
         WindowKind kind);
  ~Window() override;

  // Shows the window without blocking (MainWindow).
  void Show();
  // Opens modally; returns once the window has closed.
  void OpenModal();
  // Closes once the handler that calls it has returned.
  void CloseWindow();
  bool IsOpen() const;
  bool FirstActivationDone() const { return first_activated_; }

  int OuterWidth() const { return width() + kFrameWidth; }
  int OuterHeight() const { return height() + kFrameHeight; }
  void SetOuterSize(int width, int height);

  QString Title() const { return windowTitle(); }
  void SetTitle(const QString& title) { setWindowTitle(title); }

 signals:
  void Closed();  // after OnWillBeDestroyed

 protected:
  virtual void OnCreated() {}
  virtual void OnSizeChanged(int /*outer_width*/, int /*outer_height*/) {}
  virtual void OnFirstActivated() {}
  virtual void OnWillBeDestroyed() {}

  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 public:
  void done(int result) override;

 private:
  void EnsureCreated();
  void CentreOnScreen();

  WindowKind kind_;
  bool created_ = false;
  bool first_activated_ = false;
  bool destroyed_ = false;
  bool close_pending_ = false;
};

}  // namespace quill
