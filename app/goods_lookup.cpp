#include "app/goods_lookup.h"

namespace quill {

bool GoToLiveGoods(EdbWorkspace& db, int bookmark) {
  // A failed go-to leaves the previous record current, so the bookmark is checked as well.
  if (bookmark <= 0 || !db.GoToBookmark(bookmark) || db.Bookmark() != bookmark) return false;
  const EdbDatabase* current = db.Current();
  return current != nullptr && !current->IsDeleted();
}

}  // namespace quill
