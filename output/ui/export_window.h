#pragma once

#include <QString>

#include "toolkit/window.h"

namespace quill {

class Button;
class EdbWorkspace;
class EditBox;
class Label;
class ProgressBar;
class RadioButton;

// Writes every goods record of the database into 数据库文件.xls in a directory the user picks,
// the desktop by default. 按钮1 is armed by each new directory and disarmed by an export;
// its caption says "导出成功" only after every byte reached the disk.
class ExportWindow : public Window {
  Q_OBJECT

 public:
  static constexpr int kFormWidth = 426;
  static constexpr int kFormHeight = 206;

  // The exported text is kept in `export_text` until the next export.
  ExportWindow(QWidget* parent, EdbWorkspace& database, std::string& export_text);

  EditBox& DirectoryBox() const { return *directory_box_; }  // 编辑框1
  Button& ExportButton() const { return *export_button_; }   // 按钮1
  Button& BrowseButton() const { return *browse_button_; }   // 按钮2
  ProgressBar& Progress() const { return *progress_; }       // 进度条1

  // 按钮1: builds the text, writes the file; true when the file was written.
  bool ExportGoods();
  // 按钮2: lets the user pick the directory.
  void PickDirectory();

 protected:
  void OnCreated() override;

 private:
  EdbWorkspace& database_;
  std::string& export_text_;
  RadioButton* format_option_ = nullptr;  // 单选框2
  Label* directory_label_ = nullptr;      // 标签1
  EditBox* directory_box_ = nullptr;
  Button* browse_button_ = nullptr;
  Button* export_button_ = nullptr;
  ProgressBar* progress_ = nullptr;
};

// The directory 编辑框1 starts with: the desktop, or the home folder where no desktop folder
// exists, always with a final separator.
QString DefaultExportDirectory();

}  // namespace quill
