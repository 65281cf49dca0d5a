#pragma once

#include <QString>

#include "editor/goods_entry.h"
#include "toolkit/window.h"

namespace quill {

class Button;
class CheckBox;
class EditBox;
class Label;
class MainWindow;

// Creates one goods record or rewrites the one selected in the goods list. The title it is
// given decides which: "新建商品" creates, any other title modifies.
class GoodsEditWindow : public Window {
  Q_OBJECT

 public:
  static constexpr int kFormWidth = 380;
  static constexpr int kFormHeight = 250;

  // Takes its title from the main window's EditorTitle when it is created.
  explicit GoodsEditWindow(MainWindow& main);
  ~GoodsEditWindow() override;

  EditBox& NameBox() const { return *name_; }               // 编辑框1
  EditBox& ItemNumberBox() const { return *item_number_; }  // 编辑框2
  EditBox& PriceBox() const { return *price_; }             // 编辑框3
  EditBox& UnitBox() const { return *unit_; }               // 编辑框4
  EditBox& StockBox() const { return *stock_; }             // 编辑框5
  EditBox& RemarkBox() const { return *remark_; }           // 编辑框6
  Button& SaveButton() const { return *save_; }             // 按钮1
  CheckBox& KeepOpenBox() const { return *keep_open_; }     // 选择框1

  bool IsNewMode() const;
  // 按钮1 "保存".
  void SaveGoods();

 protected:
  void OnCreated() override;
  void OnWillBeDestroyed() override;

 private:
  void BuildForm();
  GoodsInput Input() const;
  // The bookmark of the selected goods row when it still names a live record, made current.
  int FindSelectedGoods() const;

  MainWindow& main_;
  Label* captions_ = nullptr;
  EditBox* name_ = nullptr;
  EditBox* item_number_ = nullptr;
  EditBox* price_ = nullptr;
  EditBox* unit_ = nullptr;
  EditBox* stock_ = nullptr;
  EditBox* remark_ = nullptr;
  Button* save_ = nullptr;
  CheckBox* keep_open_ = nullptr;
};

// The process-wide editor state, kept in the main window's shared state.
QString& EditorTitle(MainWindow& main);
int& EditorReturnRow(MainWindow& main);

}  // namespace quill
