#pragma once

#include "storage/edb_database.h"

namespace quill {

// Makes the live record with this bookmark current. False when no live record has it; the
// current record may then be any record, so a caller must not read, modify or delete it.
bool GoToLiveGoods(EdbWorkspace& db, int bookmark);

}  // namespace quill
