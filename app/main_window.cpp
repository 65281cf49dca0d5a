#include "app/main_window.h"

#include <QApplication>
#include <QUrl>

#include "app/banner_art.h"
#include "app/feature_commands.h"
#include "app/goods_rows.h"
#include "app/row_striping.h"
#include "app/skin.h"
#include "storage/goods_database.h"
#include "toolkit/buttons.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_box.h"
#include "toolkit/fonts.h"
#include "toolkit/gb18030.h"
#include "toolkit/keys.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/picture_box.h"
#include "toolkit/seams.h"
#include "toolkit/status_bar.h"
#include "toolkit/timer.h"
#include "toolkit/wait_cursor.h"

namespace quill {
namespace {

constexpr int kBannerPeriodMs = 10000;
constexpr int kStatusBarHeight = 20;

}  // namespace

bool WindowExists(const QString& object_name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == object_name) return true;
  }
  return false;
}

QString MainWindow::WebSiteText() {
  const QUrl url(ServerAddress());
  return url.host().isEmpty() ? ServerAddress() : url.host();
}

MainWindow::MainWindow(QWidget* parent)
    : Window(parent, QStringLiteral("MainWindow"), QStringLiteral("Quillbin V1.0"),
             QSize(kFormWidth, kFormHeight), WindowKind::kMain) {
  setWindowIcon(DrawProgramIcon());
  BuildForm();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildForm() {
  header_ = new Label(this, u"标签1"_qs, QRect(0, -1, 936, 64),
                      u"  Tolvane软件 · 专业提供免费中小企业管理软件"_qs);
  header_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setFont(FormFont(QString::fromUtf16(kFormFace), 20, /*bold=*/true));
  header_->SetTextColour(Qt::white);
  header_->SetBackgroundPicture(DrawHeaderBanner(QSize(936, 64)));

  banner_ = new PictureBox(this, u"图片框1"_qs, QRect(577, 6, 350, 50));
  banner_->SetHandCursor(true);
  banner_->SetSunkenEdge(true);
  banner_->SetBackground(QColor(238, 255, 255));
  banner_->hide();

  search_field_ = new ComboBox(this, u"组合框1"_qs, QRect(16, 74, 56, 29),
                               {u"名称"_qs, u"货号"_qs}, 0);
  search_field_->setFont(FormFont(QString::fromUtf16(kFormFace), 15));
  keyword_ = new EditBox(this, u"编辑框1"_qs, QRect(76, 73, 76, 28));

  search_button_ = new Button(this, u"按钮6"_qs, QRect(156, 70, 55, 32), u"搜索"_qs);
  sales_out_button_ = new Button(this, u"按钮5"_qs, QRect(215, 70, 85, 32), u"销售出库"_qs);
  sales_records_button_ = new Button(this, u"按钮8"_qs, QRect(304, 70, 85, 32), u"销售记录"_qs);
  new_goods_button_ = new Button(this, u"按钮1"_qs, QRect(393, 70, 85, 32), u"新建商品"_qs);
  report_button_ = new Button(this, u"按钮9"_qs, QRect(482, 70, 85, 32), u"打印报表"_qs);
  modify_goods_button_ = new Button(this, u"按钮2"_qs, QRect(571, 70, 85, 32), u"修改商品"_qs);
  delete_goods_button_ = new Button(this, u"按钮3"_qs, QRect(660, 70, 85, 32), u"删除商品"_qs);
  export_button_ = new Button(this, u"按钮4"_qs, QRect(749, 70, 85, 32), u"导出数据"_qs);
  about_button_ = new Button(this, u"按钮7"_qs, QRect(839, 70, 70, 32), u"关于"_qs);

  goods_list_ = new ListView(this, u"超级列表框1"_qs, QRect(15, kListTop, 912, 425));
  goods_list_->setFont(FormFont(QString::fromUtf16(kFormFace), 14));
  auto rows = std::make_unique<GoodsRows>();
  goods_rows_ = rows.get();
  goods_list_->SetRows(std::move(rows));

  status_ = new StatusBar(this, u"状态条1"_qs, QRect(0, 475, 937, kStatusBarHeight));
  status_->SetDockedToBottom(true);
  status_->SetHandCursor(true);
  status_->AddPane(160, u" 永久免费 无任何功能限制"_qs);
  status_->AddPane(150, u" 简单易用 方便实用"_qs);
  status_->AddPane(150, u" 迷你精简初级版V1.0"_qs);
  status_->AddPane(250, u" 官方网站："_qs + WebSiteText());
  status_->AddPane(300, u" 随时关注官网下载最新免费软件"_qs);

  banner_timer_ = new Timer(this, u"时钟1"_qs);
  striping_ = new RowStriping(this);

  connect(search_button_, &Button::clicked, this, [this] { SearchGoods(*this); });
  connect(sales_out_button_, &Button::clicked, this, [this] { OpenSalesOut(*this); });
  connect(sales_records_button_, &Button::clicked, this, [this] { OpenSalesRecords(*this); });
  connect(new_goods_button_, &Button::clicked, this,
          [this] { OpenGoodsEditor(*this, u"新建商品"_qs); });
  connect(report_button_, &Button::clicked, this, [this] { BuildGoodsReport(*this); });
  connect(modify_goods_button_, &Button::clicked, this,
          [this] { OpenGoodsEditor(*this, u"修改商品信息"_qs); });
  connect(delete_goods_button_, &Button::clicked, this, [this] { DeleteSelectedGoods(*this); });
  connect(export_button_, &Button::clicked, this, [this] { OpenExport(*this); });
  connect(about_button_, &Button::clicked, this, [this] { OpenAbout(*this); });

  // While the keyword box has the focus, Enter in it searches.
  connect(keyword_, &EditBox::GotFocus, this, [this] { search_button_->SetDefault(true); });
  connect(keyword_, &EditBox::LostFocus, this, [this] { search_button_->SetDefault(false); });

  connect(goods_list_, &ListView::CurrentRowChanged, this, [this] { UpdateSelectionButtons(); });
  connect(goods_list_, &ListView::KeyPressed, this, [this](int key) {
    if (key == kKeyEnter) OpenSalesOut(*this);
  });
  connect(goods_list_, &ListView::DoubleClicked, this, [this] { OpenSalesOut(*this); });

  connect(banner_, &PictureBox::Released, this, [this] { OpenBannerLink(*this); });
  connect(status_, &StatusBar::Pressed, this, [this] { OpenHomePageFromStatusBar(*this); });
  connect(banner_timer_, &Timer::Tick, this, [this] {
    LoadBanner(*this);
    banner_timer_->SetPeriod(0);
  });
}

void MainWindow::OnCreated() {
  AttachSkin();
  UpdateSelectionButtons();
  banner_timer_->SetPeriod(kBannerPeriodMs);
}

void MainWindow::OnSizeChanged(int outer_width, int outer_height) {
  if (!goods_list_) return;
  header_->resize(outer_width, header_->height());
  goods_list_->resize(outer_width - 40, goods_list_->height());
  goods_list_->resize(goods_list_->width(), outer_height - kListTop - 70);
  banner_->move(outer_width - banner_->width() - 20, banner_->y());
  const int n = database_.FieldCount();
  for (int i = 1; i <= n; ++i) goods_list_->SetColumnWidth(i - 1, (goods_list_->width() - 30) / n);
}

void MainWindow::OnFirstActivated() {
  WaitCursor wait;
  InstallRowStriping(*striping_, *this, *goods_list_, kFirstRowColour, kSecondRowColour);
  OpenGoodsDatabase();
  const int n = database_.FieldCount();
  for (int i = 1; i <= n; ++i) {
    goods_list_->InsertColumn(i - 1, FromGb18030(database_.FieldName(i)));
    goods_list_->SetColumnWidth(i - 1, (goods_list_->width() - 30) / n);
  }
  LoadGoodsList();
}

void MainWindow::OpenGoodsDatabase() {
  const std::filesystem::path path = RunPath(QString::fromUtf8(kGoodsDatabaseFileName));
  WriteGoodsTemplateIfMissing(path);
  if (!database_.Open(path, kGoodsDatabaseAlias)) {
    ShowMessage(u"无法打开商品数据库文件“商品数据库.edb”，商品列表将为空。"_qs);
  }
  database_.SetCurrent(kGoodsDatabaseAlias);
}

void MainWindow::OnWillBeDestroyed() { banner_timer_->SetPeriod(0); }

void MainWindow::LoadGoodsList() {
  {
    WaitCursor wait;
    ListView::Batch batch(*goods_list_);
    goods_list_->DeleteAllRows();
    const int n = database_.RecordCount();
    goods_rows_->Reserve(n);
    for (int i = 1; i <= n; ++i) {
      database_.GoTo(i);
      AppendGoodsRow();
    }
  }
  goods_list_->setFocus(Qt::OtherFocusReason);
  if (!WindowExists(QStringLiteral("GoodsEditWindow"))) goods_list_->SetCurrentRow(0);
}

void MainWindow::AppendGoodsRow() {
  EdbDatabase* current = database_.Current();
  // A record left marked deleted (a crash between delete and purge, another program) must
  // never come back into view.
  if (!current || current->IsDeleted() || database_.Bookmark() == 0) return;
  GoodsRow row;
  row.name = GoodsRow::MakeText(database_.ReadText(kName));
  row.bookmark = database_.Bookmark();
  row.item_number = GoodsRow::MakeText(database_.ReadText(kItemNumber));
  row.unit_price = static_cast<float>(database_.ReadNumber(kUnitPrice));
  row.unit = GoodsRow::MakeText(database_.ReadText(kUnit));
  row.stock = static_cast<std::int32_t>(database_.ReadNumber(kStock));
  row.remark = GoodsRow::MakeText(database_.ReadText(kRemark));
  goods_rows_->AppendGoods(row);
}

void MainWindow::UpdateSelectionButtons() {
  const bool none = goods_list_->CurrentRow() == -1;
  for (Button* b : {sales_out_button_, modify_goods_button_, delete_goods_button_,
                    export_button_, search_button_}) {
    b->setDisabled(none);
  }
}

}  // namespace quill
