#pragma once

#include <QString>

#include "toolkit/window.h"

namespace quill {

class Button;
class EditBox;
class Label;
class MainWindow;

// Sells the goods of the selected goods-list row out of stock: records the sale in today's
// day file, then lowers the goods record's stock by the quantity.
class SalesOutWindow : public Window {
  Q_OBJECT

 public:
  static constexpr int kFormWidth = 363;
  static constexpr int kFormHeight = 309;

  explicit SalesOutWindow(MainWindow& main);
  ~SalesOutWindow() override;

  EditBox& CustomerBox() const { return *customer_; }  // 编辑框1
  Label& GoodsCaption() const { return *goods_; }      // 标签2
  EditBox& PriceBox() const { return *price_; }        // 编辑框2
  EditBox& QuantityBox() const { return *quantity_; }  // 编辑框3
  EditBox& AmountBox() const { return *amount_; }      // 编辑框4
  Button& ConfirmButton() const { return *confirm_; }  // 按钮1

  // 按钮1 "确定".
  void ConfirmSale();

 protected:
  void OnCreated() override;
  void OnWillBeDestroyed() override;

 private:
  void BuildForm();
  void ComputeAmount();
  void ShowStockWarning();
  QString SelectedCell(int column) const;

  MainWindow& main_;
  Label* captions_ = nullptr;
  EditBox* customer_ = nullptr;
  Label* goods_ = nullptr;
  EditBox* price_ = nullptr;
  EditBox* quantity_ = nullptr;
  EditBox* amount_ = nullptr;
  Button* confirm_ = nullptr;
};

// The goods-list row selected when the sales out window opened, kept in the main window's
// shared state and put back when the window goes.
int& SalesOutSavedRow(MainWindow& main);

}  // namespace quill
