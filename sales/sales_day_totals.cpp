#include "sales/sales_day_totals.h"

#include <limits>

#include "text/number_parsing.h"

namespace quill {

SalesDayTotals TotalSaleEntries(const std::vector<SaleEntry>& entries) {
  SalesDayTotals totals;
  std::int64_t quantity = 0;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  for (const SaleEntry& entry : entries) {
    quantity += TextToInteger(entry.quantity);
    if (quantity > kMax) quantity = kMax;
    if (quantity < kMin) quantity = kMin;
    totals.amount =
        static_cast<float>(static_cast<double>(totals.amount) + TextToNumber(entry.amount));
  }
  totals.quantity = static_cast<std::int32_t>(quantity);
  return totals;
}

}  // namespace quill
