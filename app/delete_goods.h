#pragma once

#include <QString>

#include "storage/edb_database.h"

namespace quill {

enum class DeleteOutcome {
  kDeleted,
  kNotFound,  // no live record has the bookmark: nothing was marked or purged
  kFailed,    // the mark could not be written
};

// Deletes the live record with this bookmark for good: mark, then purge. A stale bookmark
// never deletes whatever record happens to be current.
DeleteOutcome DeleteGoodsRecord(EdbWorkspace& db, int bookmark);

// "您确定要删除： " + name + "- " + item number + " 的商品？"
QString DeleteQuestion(const QString& name, const QString& item_number);

}  // namespace quill
