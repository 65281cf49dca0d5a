#include "sales/ui/sales_out_window.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include <QColor>

#include "app/main_window.h"
#include "sales/append_sale_entry.h"
#include "storage/goods_database.h"
#include "text/number_formatting.h"
#include "text/number_parsing.h"
#include "toolkit/buttons.h"
#include "toolkit/control.h"
#include "toolkit/edit_box.h"
#include "toolkit/fonts.h"
#include "toolkit/gb18030.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

constexpr int kNameColumn = 0;
constexpr int kItemNumberColumn = 1;
constexpr int kPriceColumn = 2;
constexpr int kStockColumn = 4;

const QString kSold = u"出库成功！"_qs;
const QString kNoGoods = u"没有选择商品，本次出库没有记录，库存未改变。"_qs;
const QString kGoodsGone = u"所选商品已不存在（可能已被删除），本次出库没有记录，库存未改变。"_qs;
const QString kNotRecorded =
    u"销售记录写入失败，本次出库没有完成，库存未改变。\n请检查后重试或关闭本窗口。\n原因："_qs;
const QString kStockNotWritten =
    u"销售已记录，但库存无法写入商品数据库，请手动修改该商品的库存！"_qs;

const QColor kWarningColour(255, 0, 0);  // Windows colour 0x0000FF
const QColor kNormalColour(255, 255, 255);

std::int32_t LoweredStock(std::int32_t stock, std::int32_t quantity) {
  // The stock field holds 32 bits; a difference beyond it stops at its ends rather than wrap.
  const std::int64_t lowered = std::int64_t{stock} - quantity;
  if (lowered > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (lowered < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(lowered);
}

// Makes the live record with this bookmark current; false (and the current record unknown)
// when no live record has it.
bool GoToLiveGoods(EdbWorkspace& db, int bookmark) {
  if (bookmark <= 0 || !db.GoToBookmark(bookmark)) return false;
  const EdbDatabase* current = db.Current();
  return current && !current->IsDeleted() && db.Bookmark() == bookmark;
}

CalendarDate ToCalendarDate(const QDate& date) {
  return CalendarDate{date.year(), date.month(), date.day()};
}

}  // namespace

int& SalesOutSavedRow(MainWindow& main) { return main.State().sales_out_saved_row; }

SalesOutWindow::SalesOutWindow(MainWindow& main)
    : Window(&main, QStringLiteral("SalesOutWindow"), u"销售出库"_qs,
             QSize(kFormWidth, kFormHeight), WindowKind::kModal),
      main_(main) {
  BuildForm();
}

SalesOutWindow::~SalesOutWindow() = default;

void SalesOutWindow::BuildForm() {
  captions_ =
      new Label(this, u"标签1"_qs, QRect(17, 26, 80, 206),
                WithLfLineEnds(u"客户名称：\r\n\r\n\r\n商品名称：\r\n\r\n\r\n"
                               u"销售单价：\r\n\r\n\r\n出库数量：\r\n\r\n\r\n应收金额："_qs));
  captions_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  captions_->setFont(FormFont(u"兰亭超细黑简体"_qs, 12));
  customer_ = new EditBox(this, u"编辑框1"_qs, QRect(93, 21, 232, 24));
  customer_->SetText(u"零售客户"_qs);
  goods_ = new Label(this, u"标签2"_qs, QRect(93, 64, 232, 24));
  goods_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  price_ = new EditBox(this, u"编辑框2"_qs, QRect(93, 105, 232, 24), InputMode::kDecimalNumber);
  quantity_ = new EditBox(this, u"编辑框3"_qs, QRect(93, 148, 219, 24), InputMode::kShortInteger);
  quantity_->SetText(u"1"_qs);
  quantity_->AttachSpinner(18, 1, 100);
  amount_ = new EditBox(this, u"编辑框4"_qs, QRect(93, 191, 232, 24));
  confirm_ = new Button(this, u"按钮1"_qs, QRect(127, 232, 103, 40), u"确定"_qs);
  for (EditBox* box : {customer_, price_, quantity_, amount_}) {
    box->setFont(FormFont(QString::fromUtf16(kFormFace), 14));
  }

  // Connected only now, so that the form's own texts raise no event.
  connect(price_, &EditBox::TextChanged, this, [this] { ComputeAmount(); });
  connect(quantity_, &EditBox::TextChanged, this, [this] {
    ComputeAmount();
    ShowStockWarning();
  });
  connect(confirm_, &Button::clicked, this, [this] { ConfirmSale(); });
}

QString SalesOutWindow::SelectedCell(int column) const {
  const ListView& list = main_.GoodsList();
  const int row = list.CurrentRow();
  return row < 0 || row >= list.RowCount() ? QString() : list.CellText(row, column);
}

void SalesOutWindow::OnCreated() {
  SalesOutSavedRow(main_) = main_.GoodsList().CurrentRow();
  goods_->SetCaption(SelectedCell(kNameColumn) + u" - "_qs + SelectedCell(kItemNumberColumn));
  price_->SetText(SelectedCell(kPriceColumn));
  amount_->SetText(SelectedCell(kPriceColumn));
}

void SalesOutWindow::OnWillBeDestroyed() {
  main_.GoodsList().SetCurrentRow(SalesOutSavedRow(main_));
}

void SalesOutWindow::ComputeAmount() {
  const double price = TextToNumber(ToGb18030(price_->Text()));
  const double quantity = TextToNumber(ToGb18030(quantity_->Text()));
  amount_->SetText(FromGb18030(MoneyText(DoubleToText(price * quantity))));
}

void SalesOutWindow::ShowStockWarning() {
  const std::int32_t quantity = TextToInteger(ToGb18030(quantity_->Text()));
  const std::int32_t stock = TextToInteger(ToGb18030(SelectedCell(kStockColumn)));
  quantity_->SetBackground(quantity > stock ? kWarningColour : kNormalColour);
}

void SalesOutWindow::ConfirmSale() {
  // The goods are found before anything is written: a sale of goods that no longer exist
  // would be recorded with no stock to lower.
  const ListView& list = main_.GoodsList();
  const int row = list.CurrentRow();
  EdbWorkspace& db = main_.Database();
  if (row < 0 || row >= list.RowCount()) {
    ShowMessage(kNoGoods, MessageStyle::kOkWarning);
    CloseWindow();
    return;
  }
  const int bookmark = static_cast<int>(list.RowValue(row));
  if (!GoToLiveGoods(db, bookmark)) {
    ShowMessage(kGoodsGone, MessageStyle::kOkWarning);
    CloseWindow();
    return;
  }

  const SaleEntry entry{ToGb18030(customer_->Text()), ToGb18030(goods_->Caption()),
                        ToGb18030(price_->Text()), ToGb18030(quantity_->Text()),
                        ToGb18030(amount_->Text())};
  const AppendResult recorded =
      AppendSaleEntry(ToPath(RunDirectory()), ToCalendarDate(Now().date()), entry);
  if (!recorded.ok() && !recorded.line_in_file()) {
    // The window stays open so that the user can retry or cancel; nothing was sold.
    ShowMessage(kNotRecorded + QString::fromLocal8Bit(recorded.Describe()),
                MessageStyle::kOkWarning);
    return;
  }

  bool stock_written = GoToLiveGoods(db, bookmark);
  if (stock_written) {
    const auto stock = static_cast<std::int32_t>(db.ReadNumber(kStock));
    const std::int32_t quantity = TextToInteger(ToGb18030(quantity_->Text()));
    std::vector<std::optional<EdbValue>> values(kRemark);
    values[kStock - 1] = EdbValue(static_cast<double>(LoweredStock(stock, quantity)));
    stock_written = db.Modify(values);
  }
  if (stock_written) {
    ShowMessage(kSold);
  } else {
    ShowMessage(kStockNotWritten, MessageStyle::kOkWarning);
  }
  main_.LoadGoodsList();
  CloseWindow();
}

}  // namespace quill
