#pragma once

#include <string>

#include "toolkit/window.h"

namespace quill {

class Button;
class Label;
class ProgressBar;
class TextArea;

// Asks the maker's web server whether a newer version exists, shows what it says, and
// downloads and starts the installer.
class UpdateWindow : public Window {
  Q_OBJECT

 public:
  // `information` is where the update information text of each check is kept (GB18030).
  UpdateWindow(QWidget* parent, std::string& information);

 protected:
  void OnFirstActivated() override;

 private:
  void RunUpdateCheck();
  void ButtonClicked();
  void Download();
  void DownloadFailed(const QString& message);

  TextArea* information_;  // 编辑框1
  ProgressBar* progress_;  // 进度条1
  Button* button_;         // 按钮1
  Label* manual_link_;     // 透明标签1
  std::string& information_text_;
};

}  // namespace quill
