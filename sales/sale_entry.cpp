#include "sales/sale_entry.h"

namespace quill {

std::string SaleLine(const SaleEntry& entry) {
  std::string line;
  line.reserve(entry.customer.size() + entry.goods.size() + entry.unit_price.size() +
               entry.quantity.size() + entry.amount.size() + 5 * kSaleFieldEnd.size() +
               kSaleLineEnd.size());
  for (const std::string* field :
       {&entry.customer, &entry.goods, &entry.unit_price, &entry.quantity, &entry.amount}) {
    line += *field;
    line += kSaleFieldEnd;
  }
  line += kSaleLineEnd;
  return line;
}

}  // namespace quill
