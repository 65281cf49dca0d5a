#include "sales/ui/sales_records_window.h"

#include <memory>

#include "sales/append_sale_entry.h"
#include "sales/read_sale_entries.h"
#include "sales/sales_day_totals.h"
#include "sales/ui/sale_rows.h"
#include "text/number_formatting.h"
#include "toolkit/buttons.h"
#include "toolkit/file_box.h"
#include "toolkit/fonts.h"
#include "toolkit/gb18030.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"
#include "toolkit/wait_cursor.h"

namespace quill {
namespace {

const QString kNoSales = u"无当天销售记录"_qs;
const QString kUnreadable = u"无法读取该天的销售记录文件"_qs;
const QString kDeleteFailed = u"删除失败：该天的销售记录文件无法删除。\n原因："_qs;

struct Column {
  QString title;
  int width;
  Qt::Alignment alignment;
};

}  // namespace

SalesRecordsWindow::SalesRecordsWindow(QWidget* parent)
    : Window(parent, QStringLiteral("SalesRecordsWindow"), u"销售记录"_qs,
             QSize(kFormWidth, kFormHeight), WindowKind::kModal) {
  BuildForm();
}

SalesRecordsWindow::~SalesRecordsWindow() = default;

void SalesRecordsWindow::BuildForm() {
  days_ = new FileBox(this, u"文件框1"_qs, QRect(8, 8, 128, 352), u"*.jl"_qs);
  sales_ = new ListView(this, u"超级列表框1"_qs, QRect(146, 8, 462, 352));
  auto rows = std::make_unique<SaleRows>();
  rows_ = rows.get();
  sales_->SetRows(std::move(rows));
  const Column columns[] = {
      {u"客户名称"_qs, 100, Qt::AlignLeft}, {u"商品名称"_qs, 120, Qt::AlignLeft},
      {u"销售单价"_qs, 60, Qt::AlignRight}, {u"销售数量"_qs, 60, Qt::AlignRight},
      {u"实收金额"_qs, 80, Qt::AlignRight},
  };
  for (int i = 0; i < 5; ++i) {
    sales_->InsertColumn(i, columns[i].title);
    sales_->SetColumnWidth(i, columns[i].width);
    sales_->SetColumnAlignment(i, columns[i].alignment | Qt::AlignVCenter);
  }
  sales_->SetGridLines(true);
  const QFont list_font = FormFont(QString::fromUtf16(kFormFace), 12);
  sales_->setFont(list_font);
  days_->setFont(list_font);
  delete_ = new Button(this, u"按钮1"_qs, QRect(8, 368, 128, 32), u"删除该天记录"_qs);
  totals_ = new Label(this, u"标签1"_qs, QRect(146, 368, 462, 32), kNoSales);
  totals_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  connect(days_, &FileBox::SelectionChanged, this, [this] { ShowSelectedDay(); });
  connect(delete_, &Button::clicked, this, [this] { DeleteSelectedDay(); });
}

void SalesRecordsWindow::OnCreated() {
  // The window opens with no day selected; the user picks one.
  WaitCursor wait;
  days_->SetDirectory(RunDirectory());
  days_->setFocus(Qt::OtherFocusReason);
  ShowSelectedDay();
}

void SalesRecordsWindow::ShowSelectedDay() {
  WaitCursor wait;
  const QString name = days_->SelectedName();
  delete_->setEnabled(!name.isEmpty());
  if (name.isEmpty()) {
    rows_->SetEntries({});
    totals_->SetCaption(kNoSales);
    return;
  }
  SaleEntriesRead read = ReadSaleEntriesChecked(ToPath(days_->Directory()) / ToPath(name));
  const SalesDayTotals totals = TotalSaleEntries(read.entries);
  const bool any = !read.entries.empty();
  rows_->SetEntries(std::move(read.entries));
  if (read.error) {
    totals_->SetCaption(kUnreadable);
  } else if (!any) {
    totals_->SetCaption(kNoSales);
  } else {
    totals_->SetCaption(u"该天共售出商品： "_qs + FromGb18030(IntegerToText(totals.quantity)) +
                        u" 件，总金额： "_qs + FromGb18030(FloatToText(totals.amount)) + u" 元"_qs);
  }
}

void SalesRecordsWindow::DeleteSelectedDay() {
  const QString name = days_->SelectedName();
  if (name.isEmpty()) return;
  const QString day = name.chopped(3);
  if (ShowMessage(u"您确定要删除： "_qs + day + u" 的商品记录？"_qs,
                  MessageStyle::kOkCancelQuestion, u"删除记录："_qs) != kMessageOk) {
    return;
  }
  const std::error_code error = DeleteDailySalesFile(ToPath(days_->Directory()) / ToPath(name));
  if (error) {
    ShowMessage(kDeleteFailed + QString::fromLocal8Bit(error.message()), MessageStyle::kOkWarning);
  }
  days_->SetDirectory(RunDirectory());
  ShowSelectedDay();
}

}  // namespace quill
