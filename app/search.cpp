#include "app/search.h"

#include <string>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "storage/goods_database.h"
#include "text/trimming.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_box.h"
#include "toolkit/gb18030.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

const QString kNoMatch =
    u"未查找到该货号商品，请核对后重试！\r\n\r\n搜索输入框不输入，则重新载入数据库全部商品。"
    u"\r\n\r\n清空搜索关键字点击搜索即可显示全部商品。"_qs;

}  // namespace

std::vector<int> FindMatchingGoods(EdbWorkspace& db, std::string_view keyword_gbk, int field) {
  std::vector<int> result;
  const std::string key = NormaliseKeyword(keyword_gbk);
  const int count = db.RecordCount();
  for (int i = 1; i <= count; ++i) {
    if (!db.GoTo(i)) continue;
    const EdbDatabase* current = db.Current();
    if (current == nullptr || current->IsDeleted()) continue;
    if (NormaliseKeyword(db.ReadText(field)) == key) result.push_back(i);
  }
  return result;
}

void SearchGoods(MainWindow& main) {
  EditBox& keyword = main.Keyword();
  const std::string text = ToGb18030(keyword.Text());
  if (TrimSpaces(text).empty()) {
    main.LoadGoodsList();
    keyword.SelectAllText();
    return;
  }
  // 组合框1 cannot be emptied by the user; should it ever have no selection, search names.
  const int field = main.SearchField().SelectedIndex() == 1 ? kItemNumber : kName;
  const std::vector<int> matches = FindMatchingGoods(main.Database(), text, field);
  if (matches.empty()) {
    keyword.SelectAllText();
    ShowMessage(kNoMatch, MessageStyle::kOkInformation, u"搜索提示："_qs);
    return;
  }
  ListView& list = main.GoodsList();
  {
    ListView::Batch batch(list);
    list.DeleteAllRows();
    for (int record : matches) {
      main.Database().GoTo(record);
      main.AppendGoodsRow();
    }
  }
  list.SetCurrentRow(0);
  keyword.SelectAllText();
}

}  // namespace quill
