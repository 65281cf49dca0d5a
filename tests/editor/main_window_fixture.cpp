#include "editor/main_window_fixture.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include "editor/goods_edit_window.h"
#include "storage/goods_database.h"
#include "support/gui_wait.h"
#include "text/number_formatting.h"
#include "toolkit/buttons.h"
#include "toolkit/edit_box.h"
#include "toolkit/gb18030.h"
#include "toolkit/list_view.h"

namespace quill::testing {

void MainWindowTest::SetUp() {
  PrepareRunDirectory();
  main_ = std::make_unique<MainWindow>();
  ASSERT_TRUE(ShowAndActivate(*main_));
  if (DatabaseOpens()) {
    ASSERT_GT(Db().FieldCount(), 0) << "the goods database did not open";
  }
}

void MainWindowTest::TearDown() {
  if (main_) main_->hide();
  main_.reset();
}

std::filesystem::path MainWindowTest::DatabasePath() const {
  return seams_.RunFile(QString::fromUtf8(kGoodsDatabaseFileName));
}

QString MainWindowTest::Field(int record, int field) {
  if (!Db().GoTo(record)) return u"<no record>"_qs;
  if (field == kUnitPrice)
    return FromGb18030(FloatToText(static_cast<float>(Db().ReadNumber(field))));
  if (field == kStock)
    return FromGb18030(IntegerToText(static_cast<std::int64_t>(Db().ReadNumber(field))));
  return FromGb18030(Db().ReadText(field));
}

QString MainWindowTest::RowText(int row) {
  const ListView& list = main_->GoodsList();
  QStringList cells;
  for (int column = 0; column < list.ColumnCount(); ++column) cells << list.CellText(row, column);
  return cells.join(u'|');
}

int MainWindowTest::SelectedRow() { return main_->GoodsList().CurrentRow(); }

std::string MainWindowTest::SelectionButtonStates() {
  std::string states;
  for (const Button* b :
       {&main_->SalesOutButton(), &main_->ModifyGoodsButton(), &main_->DeleteGoodsButton(),
        &main_->ExportButton(), &main_->SearchButton()}) {
    states += b->isEnabled() ? '1' : '0';
  }
  return states;
}

void Type(EditBox& box, const QString& text) {
  box.setFocus(Qt::TabFocusReason);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.unicode() < 0x80) {
      QTest::keyClick(&box, c.toLatin1());
      continue;
    }
    // A character beyond ASCII has no key code; it arrives as the text of a key event, a
    // surrogate pair as one text.
    const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
    i += length - 1;
  }
}

bool MainWindowTest::RunEditor(const QString& button,
                               const std::function<void(GoodsEditWindow&)>& steps) {
  Button* opener = main_->findChild<Button*>(button);
  if (opener == nullptr) {
    ADD_FAILURE() << "no button " << button.toStdString();
    return false;
  }
  // A zero timer runs inside the modal window's event loop once the window shows, or at the
  // processEvents below when no window opened; it never outlives this call.
  auto ran = std::make_shared<bool>(false);
  QTimer::singleShot(0, [ran, steps] {
    auto* w = qobject_cast<GoodsEditWindow*>(FindTopLevel(u"GoodsEditWindow"_qs));
    if (w == nullptr) return;
    *ran = true;
    // The offscreen platform leaves the main window active; a desktop activates the dialog.
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow(); }));
    steps(*w);
    if (w->isVisible()) w->CloseWindow();
  });
  QTest::mouseClick(opener, Qt::LeftButton);
  QCoreApplication::processEvents();
  return *ran;
}

}  // namespace quill::testing
