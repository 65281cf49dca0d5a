#include "goods_fixture.h"

#include <fstream>
#include <iterator>

#include "storage/edb_database.h"
#include "storage/goods_database.h"

namespace quill::testing {

bool WriteGoodsDatabase(const std::filesystem::path& path, const std::vector<GoodsValues>& goods) {
  std::filesystem::remove(path);
  if (!WriteGoodsTemplateIfMissing(path)) return false;
  auto db = EdbDatabase::Open(path);
  if (!db) return false;
  for (int i = db->RecordCount(); i >= 1; --i) {
    if (!db->GoTo(i) || !db->Delete()) return false;
  }
  if (!db->Purge()) return false;
  for (const GoodsValues& g : goods) {
    if (!db->Add({g.name, g.item_number, g.unit_price, g.unit, g.stock, g.remark})) return false;
  }
  return true;
}

bool MarkDeleted(const std::filesystem::path& path, int record_number) {
  auto db = EdbDatabase::Open(path);
  return db && db->GoTo(record_number) && db->Delete();
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quill::testing
