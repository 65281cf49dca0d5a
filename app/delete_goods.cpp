#include "app/delete_goods.h"

#include "app/feature_commands.h"
#include "app/goods_lookup.h"
#include "app/main_window.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

const QString kNoSelection = u"请先在商品列表中选择要删除的商品！"_qs;
const QString kGone = u"所选商品已不存在（可能已被删除），没有删除任何商品。"_qs;
const QString kFailed = u"删除失败：无法写入商品数据库，商品没有被删除！"_qs;

}  // namespace

DeleteOutcome DeleteGoodsRecord(EdbWorkspace& db, int bookmark) {
  if (!GoToLiveGoods(db, bookmark)) return DeleteOutcome::kNotFound;
  if (!db.Delete()) return DeleteOutcome::kFailed;
  // A failed purge leaves the record marked deleted, which every reader already passes over.
  db.Purge();
  return DeleteOutcome::kDeleted;
}

QString DeleteQuestion(const QString& name, const QString& item_number) {
  return u"您确定要删除： "_qs + name + u"- "_qs + item_number + u" 的商品？"_qs;
}

void DeleteSelectedGoods(MainWindow& main) {
  ListView& list = main.GoodsList();
  const int row = list.CurrentRow();
  if (row < 0) {
    ShowMessage(kNoSelection);
    return;
  }
  const int bookmark = static_cast<int>(list.RowValue(row));
  // Find the record before asking, so the user is never asked about goods that are gone.
  if (!GoToLiveGoods(main.Database(), bookmark)) {
    ShowMessage(kGone, MessageStyle::kOkWarning);
    return;
  }
  const QString question = DeleteQuestion(list.CellText(row, 0), list.CellText(row, 1));
  if (ShowMessage(question, MessageStyle::kOkCancelQuestion, u"删除"_qs) != kMessageOk) return;
  switch (DeleteGoodsRecord(main.Database(), bookmark)) {
    case DeleteOutcome::kDeleted:
      break;
    case DeleteOutcome::kNotFound:
      ShowMessage(kGone, MessageStyle::kOkWarning);
      return;
    case DeleteOutcome::kFailed:
      ShowMessage(kFailed, MessageStyle::kOkWarning);
      break;
  }
  main.LoadGoodsList();
  main.UpdateSelectionButtons();
}

}  // namespace quill
