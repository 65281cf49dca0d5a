#include "editor/goods_edit_window.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/feature_commands.h"
#include "app/goods_lookup.h"
#include "app/main_window.h"
#include "editor/gb18030_byte_limit.h"
#include "storage/goods_database.h"
#include "text/number_formatting.h"
#include "toolkit/buttons.h"
#include "toolkit/control.h"
#include "toolkit/edit_box.h"
#include "toolkit/gb18030.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

const QString kNewTitle = u"新建商品"_qs;
const QString kNoSelection = u"请先在商品列表中选择要修改的商品！"_qs;
const QString kGone = u"所选商品已不存在（可能已被删除），没有修改任何商品。请重新选择。"_qs;
const QString kDuplicate = u"该商品已存在，请勿重复添加！"_qs;
const QString kPriceOutOfRange = u"商品单价超出可以保存的范围，请重新输入！"_qs;
const QString kSaveFailed = u"保存失败：无法写入商品数据库，商品没有保存！"_qs;
const QString kSaved = u"保存成功！"_qs;

// The bookmark of the selected goods row, 0 when no row is selected.
int SelectedBookmark(const MainWindow& main) {
  const ListView& list = main.GoodsList();
  const int row = list.CurrentRow();
  return row < 0 ? 0 : static_cast<int>(list.RowValue(row));
}

// Tells the user why modify mode cannot act when the selected row names no live record.
bool SelectedGoodsFound(MainWindow& main) {
  const int bookmark = SelectedBookmark(main);
  if (bookmark == 0) {
    ShowMessage(kNoSelection);
    return false;
  }
  if (!GoToLiveGoods(main.Database(), bookmark)) {
    ShowMessage(kGone, MessageStyle::kOkWarning);
    return false;
  }
  return true;
}

}  // namespace

QString& EditorTitle(MainWindow& main) { return main.State().editor_title; }
int& EditorReturnRow(MainWindow& main) { return main.State().editor_return_row; }

GoodsEditWindow::GoodsEditWindow(MainWindow& main)
    : Window(&main, QStringLiteral("GoodsEditWindow"), kNewTitle, QSize(kFormWidth, kFormHeight),
             WindowKind::kModal),
      main_(main) {
  BuildForm();
}

GoodsEditWindow::~GoodsEditWindow() = default;

void GoodsEditWindow::BuildForm() {
  captions_ = new Label(this, u"标签1"_qs, QRect(6, 17, 152, 170),
                        WithLfLineEnds(u"商品名称：\r\n\r\n商品货号：\r\n\r\n商品单价：\r\n\r\n"
                                       u"商品单位：\r\n\r\n商品数量：\r\n\r\n商品备注："_qs));
  captions_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  name_ = new EditBox(this, u"编辑框1"_qs, QRect(72, 14, 280, 22));
  item_number_ = new EditBox(this, u"编辑框2"_qs, QRect(72, 42, 280, 22));
  price_ = new EditBox(this, u"编辑框3"_qs, QRect(72, 70, 280, 22), InputMode::kDecimalNumber);
  unit_ = new EditBox(this, u"编辑框4"_qs, QRect(72, 98, 280, 22));
  stock_ = new EditBox(this, u"编辑框5"_qs, QRect(72, 126, 280, 22), InputMode::kIntegerText);
  remark_ = new EditBox(this, u"编辑框6"_qs, QRect(72, 155, 280, 22));
  save_ = new Button(this, u"按钮1"_qs, QRect(227, 185, 136, 32), u"保存"_qs);
  keep_open_ = new CheckBox(this, u"选择框1"_qs, QRect(5, 199, 168, 16), u"保存后不关闭本窗口"_qs);

  // The storage keeps 20 bytes of each text; a longer text would be cut, maybe inside a
  // character, and the duplicate check would compare more than is stored.
  for (EditBox* box : {name_, item_number_, unit_, remark_}) {
    box->setValidator(new Gb18030ByteLimit(kGoodsTextFieldBytes, box));
  }
  setTabOrder(name_, item_number_);
  setTabOrder(item_number_, price_);
  setTabOrder(price_, unit_);
  setTabOrder(unit_, stock_);
  setTabOrder(stock_, remark_);
  setTabOrder(remark_, save_);
  setTabOrder(save_, keep_open_);

  connect(save_, &Button::clicked, this, [this] { SaveGoods(); });
}

bool GoodsEditWindow::IsNewMode() const { return Title() == kNewTitle; }

void GoodsEditWindow::OnCreated() {
  SetTitle(EditorTitle(main_));
  if (IsNewMode()) return;

  EditorReturnRow(main_) = main_.GoodsList().CurrentRow();
  keep_open_->setVisible(false);
  if (!SelectedGoodsFound(main_)) {
    CloseWindow();
    return;
  }
  EdbWorkspace& db = main_.Database();
  name_->SetText(FromGb18030(db.ReadText(kName)));
  item_number_->SetText(FromGb18030(db.ReadText(kItemNumber)));
  price_->SetText(FromGb18030(FloatToText(static_cast<float>(db.ReadNumber(kUnitPrice)))));
  unit_->SetText(FromGb18030(db.ReadText(kUnit)));
  stock_->SetText(FromGb18030(IntegerToText(static_cast<std::int32_t>(db.ReadNumber(kStock)))));
  remark_->SetText(FromGb18030(db.ReadText(kRemark)));
}

GoodsInput GoodsEditWindow::Input() const {
  return {ToGb18030(name_->Text()), ToGb18030(item_number_->Text()), ToGb18030(price_->Text()),
          ToGb18030(unit_->Text()), ToGb18030(stock_->Text()),       ToGb18030(remark_->Text())};
}

void GoodsEditWindow::SaveGoods() {
  const struct {
    EditBox* box;
    QString message;
  } required[] = {
      {name_, u"请输入商品名称！"_qs},  {item_number_, u"请输入商品货号！"_qs},
      {price_, u"请输入商品单价！"_qs}, {unit_, u"请输入商品单位！"_qs},
      {stock_, u"请输入商品数量！"_qs},
  };
  for (const auto& [box, message] : required) {
    if (box->Text().isEmpty()) {
      ShowMessage(message);
      return;
    }
  }

  const bool new_mode = IsNewMode();
  EdbWorkspace& db = main_.Database();
  const GoodsInput input = Input();
  // Modify mode finds its record before anything else, so a stale row never lets the save
  // rewrite whatever record happens to be current.
  const int bookmark = new_mode ? 0 : SelectedBookmark(main_);
  if (!new_mode && !SelectedGoodsFound(main_)) return;
  if (!IsStorableUnitPrice(input.unit_price)) {
    ShowMessage(kPriceOutOfRange, MessageStyle::kOkWarning);
    return;
  }
  if (IsDuplicateGoods(db, input, bookmark)) {
    ShowMessage(kDuplicate, MessageStyle::kOkInformation);
    return;
  }

  const std::vector<EdbValue> values =
      GoodsRecordValues(input, new_mode ? EditorMode::kNew : EditorMode::kModify);
  bool saved = false;
  if (new_mode) {
    saved = db.Add(values);
  } else if (GoToLiveGoods(db, bookmark)) {
    saved = db.Modify(std::vector<std::optional<EdbValue>>(values.begin(), values.end()));
  }
  if (!saved) {
    ShowMessage(kSaveFailed, MessageStyle::kOkWarning);
    return;
  }

  ShowMessage(kSaved);
  main_.LoadGoodsList();
  main_.GoodsList().setFocus(Qt::OtherFocusReason);
  if (keep_open_->Checked()) return;
  CloseWindow();
}

void GoodsEditWindow::OnWillBeDestroyed() {
  ListView& list = main_.GoodsList();
  const int row = IsNewMode() ? list.RowCount() - 1 : EditorReturnRow(main_);
  list.SetCurrentRow(row);
  list.MakeRowVisible(row);
  list.setFocus(Qt::OtherFocusReason);
}

void OpenGoodsEditor(MainWindow& main, const QString& title) {
  EditorTitle(main) = title;
  // A modify-mode window that could not show its goods would only invite a wrong save.
  if (title != kNewTitle && !SelectedGoodsFound(main)) return;
  GoodsEditWindow window(main);
  window.OpenModal();
}

}  // namespace quill
