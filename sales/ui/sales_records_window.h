#pragma once

#include <QString>

#include "toolkit/window.h"

namespace quill {

class Button;
class FileBox;
class Label;
class ListView;
class SaleRows;

// Browses the recorded days: the day files of the run directory on the left, the selected
// day's sales on the right with their totals below, and a button that deletes the day.
class SalesRecordsWindow : public Window {
  Q_OBJECT

 public:
  static constexpr int kFormWidth = 624;
  static constexpr int kFormHeight = 433;

  explicit SalesRecordsWindow(QWidget* parent);
  ~SalesRecordsWindow() override;

  FileBox& Days() const { return *days_; }           // 文件框1
  ListView& Sales() const { return *sales_; }        // 超级列表框1
  Button& DeleteButton() const { return *delete_; }  // 按钮1
  Label& Totals() const { return *totals_; }         // 标签1

  // Lists the selected day's sales and their totals; runs on every change of day.
  void ShowSelectedDay();
  // 按钮1 "删除该天记录".
  void DeleteSelectedDay();

 protected:
  void OnCreated() override;

 private:
  void BuildForm();

  FileBox* days_ = nullptr;
  ListView* sales_ = nullptr;
  SaleRows* rows_ = nullptr;
  Button* delete_ = nullptr;
  Label* totals_ = nullptr;
};

}  // namespace quill
