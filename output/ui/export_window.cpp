#include "output/ui/export_window.h"

#include <string>
#include <utility>

#include <QDir>
#include <QFileInfo>

#include "output/atomic_file_write.h"
#include "output/export_text.h"
#include "storage/edb_database.h"
#include "toolkit/buttons.h"
#include "toolkit/edit_box.h"
#include "toolkit/label.h"
#include "toolkit/progress_bar.h"
#include "toolkit/seams.h"
#include "toolkit/wait_cursor.h"

namespace quill {

QString DefaultExportDirectory() {
  QString directory = DesktopDirectory();
  if (!QFileInfo(directory).isDir()) directory = QDir::homePath();
  if (!directory.endsWith(u'/')) directory += u'/';
  return directory;
}

ExportWindow::ExportWindow(QWidget* parent, EdbWorkspace& database, std::string& export_text)
    : Window(parent, u"ExportWindow"_qs, u"导出数据"_qs, QSize(kFormWidth, kFormHeight),
             WindowKind::kModal),
      database_(database),
      export_text_(export_text) {
  format_option_ = new RadioButton(this, u"单选框2"_qs, QRect(5, 24, 427, 24),
                                   u"XLS格式表格文件（Excel打开时如乱码请选择中文字符集编码）"_qs);
  format_option_->SetChecked(true);
  directory_label_ = new Label(this, u"标签1"_qs, QRect(14, 78, 56, 16), u"文件目录："_qs);
  directory_box_ = new EditBox(this, u"编辑框1"_qs, QRect(72, 73, 264, 24), InputMode::kReadOnly);
  browse_button_ = new Button(this, u"按钮2"_qs, QRect(344, 73, 72, 24), u"浏览..."_qs);
  export_button_ = new Button(this, u"按钮1"_qs, QRect(138, 122, 144, 32), u"开始导出"_qs);
  progress_ = new ProgressBar(this, u"进度条1"_qs, QRect(2, 160, 416, 16));
  progress_->SetPosition(0);

  connect(directory_box_, &EditBox::TextChanged, this, [this] {
    export_button_->SetCaption(u"开始导出"_qs);
    export_button_->setEnabled(true);
  });
  connect(browse_button_, &Button::clicked, this, [this] { PickDirectory(); });
  connect(export_button_, &Button::clicked, this, [this] { ExportGoods(); });
}

void ExportWindow::OnCreated() { directory_box_->SetText(DefaultExportDirectory()); }

void ExportWindow::PickDirectory() {
  const std::optional<QString> picked =
      PickFolder(u"选择数据库保存目录："_qs, directory_box_->Text());
  if (picked && !picked->isEmpty()) directory_box_->SetText(*picked);
}

bool ExportWindow::ExportGoods() {
  const WaitCursor wait;
  export_text_.clear();
  export_text_.shrink_to_fit();
  export_button_->setEnabled(false);
  export_text_ =
      BuildExportText(database_, [this](int position) { progress_->SetPosition(position); });
  const std::filesystem::path path = ExportFilePath(ToPath(directory_box_->Text()));
  if (WriteFileReplacing(path, export_text_)) return false;
  export_button_->SetCaption(u"导出成功"_qs);
  return true;
}

}  // namespace quill
