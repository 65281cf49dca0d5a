#pragma once

#include <vector>

#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;

namespace quill {

// Panes of fixed width from the left, each with a fixed text. Raises Pressed for the left
// mouse button anywhere on the bar.
class StatusBar : public QWidget {
  Q_OBJECT

 public:
  StatusBar(QWidget* parent, const QString& name, const QRect& geometry);

  void AddPane(int width, const QString& text);
  int PaneCount() const { return static_cast<int>(panes_.size()); }
  QString PaneText(int pane) const;
  int PaneWidth(int pane) const;
  void SetPaneText(int pane, const QString& text);
  void SetHandCursor(bool on);
  // Keeps the bar along the whole bottom edge of its parent, as status bars sit.
  void SetDockedToBottom(bool on);

 signals:
  void Pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Dock();

  std::vector<QLabel*> panes_;
  int used_width_ = 0;
  bool docked_ = false;
};

}  // namespace quill
