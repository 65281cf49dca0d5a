#pragma once

#include <string>

#include <QString>

#include "storage/edb_database.h"
#include "toolkit/window.h"

namespace quill {

class Button;
class ComboBox;
class EditBox;
class GoodsRows;
class Label;
class ListView;
class PictureBox;
class RowStriping;
class StatusBar;
class Timer;

// The process-wide texts and rows the windows opened from MainWindow keep between openings.
struct SharedState {
  QString editor_title;          // "新建商品" or "修改商品信息"
  int editor_return_row = -1;    // the goods row selected when the editor opened (modify mode)
  int sales_out_saved_row = -1;  // the goods row selected when the sales out window opened
  std::string advert_link;       // GBK bytes
  std::string update_information;
  std::string export_text;
};

// The main window: the goods list and the buttons that open every other window. One per
// process in the program; tests build a fresh one per test.
class MainWindow : public Window {
  Q_OBJECT

 public:
  static constexpr int kFormWidth = 943;
  static constexpr int kFormHeight = 600;
  static constexpr int kListTop = 112;
  static constexpr unsigned kFirstRowColour = 0xFDF9F2;   // Windows 0x00BBGGRR: RGB 242, 249, 253
  static constexpr unsigned kSecondRowColour = 0xFFFFFF;

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The goods database of the process, open under the alias 数据库 from the first activation.
  EdbWorkspace& Database() { return database_; }
  SharedState& State() { return state_; }

  ListView& GoodsList() const { return *goods_list_; }  // 超级列表框1
  Label& Header() const { return *header_; }             // 标签1
  PictureBox& Banner() const { return *banner_; }        // 图片框1
  ComboBox& SearchField() const { return *search_field_; }  // 组合框1
  EditBox& Keyword() const { return *keyword_; }         // 编辑框1
  Button& SearchButton() const { return *search_button_; }       // 按钮6 搜索
  Button& SalesOutButton() const { return *sales_out_button_; }  // 按钮5 销售出库
  Button& SalesRecordsButton() const { return *sales_records_button_; }  // 按钮8 销售记录
  Button& NewGoodsButton() const { return *new_goods_button_; }  // 按钮1 新建商品
  Button& ReportButton() const { return *report_button_; }       // 按钮9 打印报表
  Button& ModifyGoodsButton() const { return *modify_goods_button_; }  // 按钮2 修改商品
  Button& DeleteGoodsButton() const { return *delete_goods_button_; }  // 按钮3 删除商品
  Button& ExportButton() const { return *export_button_; }       // 按钮4 导出数据
  Button& AboutButton() const { return *about_button_; }         // 按钮7 关于
  StatusBar& Status() const { return *status_; }                 // 状态条1
  Timer& BannerTimer() const { return *banner_timer_; }          // 时钟1
  RowStriping& Striping() const { return *striping_; }

  // Rebuilds every row from the current database, then selects row 0 unless a
  // GoodsEditWindow exists. Records marked deleted are not listed.
  void LoadGoodsList();
  // Appends one row for the current record of the current database.
  void AppendGoodsRow();
  // Disables 按钮5, 按钮2, 按钮3, 按钮4 and 按钮6 exactly while no row is selected.
  void UpdateSelectionButtons();

  // The text of the fourth status pane's address: the maker's web site.
  static QString WebSiteText();

 protected:
  void OnCreated() override;
  void OnSizeChanged(int outer_width, int outer_height) override;
  void OnFirstActivated() override;
  void OnWillBeDestroyed() override;

 private:
  void BuildForm();
  void OpenGoodsDatabase();

  EdbWorkspace database_;
  SharedState state_;

  Label* header_ = nullptr;
  PictureBox* banner_ = nullptr;
  ComboBox* search_field_ = nullptr;
  EditBox* keyword_ = nullptr;
  Button* search_button_ = nullptr;
  Button* sales_out_button_ = nullptr;
  Button* sales_records_button_ = nullptr;
  Button* new_goods_button_ = nullptr;
  Button* report_button_ = nullptr;
  Button* modify_goods_button_ = nullptr;
  Button* delete_goods_button_ = nullptr;
  Button* export_button_ = nullptr;
  Button* about_button_ = nullptr;
  ListView* goods_list_ = nullptr;
  GoodsRows* goods_rows_ = nullptr;
  StatusBar* status_ = nullptr;
  Timer* banner_timer_ = nullptr;
  RowStriping* striping_ = nullptr;
};

// True while a live top-level window with this objectName exists.
bool WindowExists(const QString& object_name);

}  // namespace quill
