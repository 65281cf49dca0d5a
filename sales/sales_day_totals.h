#pragma once

#include <cstdint>
#include <vector>

#include "sales/sale_entry.h"

namespace quill {

struct SalesDayTotals {
  std::int32_t quantity = 0;  // sum of the quantities' integer values
  float amount = 0.0f;        // sum of the amounts, rounded to single precision at each step
};

// Quantities that would run past the 32-bit range stop at its ends.
SalesDayTotals TotalSaleEntries(const std::vector<SaleEntry>& entries);

}  // namespace quill
