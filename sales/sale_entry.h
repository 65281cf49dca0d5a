#pragma once

#include <string>
#include <string_view>

namespace quill {

// One sale as the user saw it: five GBK texts, written and read back unchanged.
struct SaleEntry {
  std::string customer;    // 客户名称
  std::string goods;       // 商品名称: name " - " item number
  std::string unit_price;  // 销售单价
  std::string quantity;    // 销售数量
  std::string amount;      // 实收金额

  bool operator==(const SaleEntry&) const = default;
};

// Layout of a day file, a GBK text with no header:
//
//   line     := field "qwerdesfd" field "qwerdesfd" field "qwerdesfd" field "qwerdesfd"
//               field "qwerdesfd" CR LF
//   day file := line ( CR LF line )*
//
// Every append after the first puts an extra CR LF before its line, so written lines are
// separated by empty lines. Fields are neither quoted nor escaped; the text ends at the first
// zero byte.
inline constexpr std::string_view kSaleFieldEnd = "qwerdesfd";
inline constexpr std::string_view kSaleLineEnd = "\r\n";

// The bytes of one sale line, its CR LF included.
std::string SaleLine(const SaleEntry& entry);

}  // namespace quill
