#pragma once

#include <string_view>
#include <vector>

#include "storage/edb_database.h"

namespace quill {

// Record numbers, ascending, of the live records whose field (1 名称 or 2 货号) equals the
// keyword once both are normalised (ASCII upper-cased, spaces off both ends). Only whole
// values match; records marked deleted are never found.
std::vector<int> FindMatchingGoods(EdbWorkspace& db, std::string_view keyword_gbk, int field);

}  // namespace quill
