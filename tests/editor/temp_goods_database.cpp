#include "editor/temp_goods_database.h"

#include <stdlib.h>

#include <stdexcept>
#include <vector>

#include "storage/goods_database.h"

namespace quill::testing {

TempGoodsDatabase::TempGoodsDatabase() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quill-goods-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = buffer.data();
  path_ = directory_ / kGoodsDatabaseFileName;
  if (!WriteGoodsTemplateIfMissing(path_) || !workspace_->Open(path_, kGoodsDatabaseAlias) ||
      !workspace_->SetCurrent(kGoodsDatabaseAlias)) {
    throw std::runtime_error("cannot open the template goods database");
  }
}

TempGoodsDatabase::~TempGoodsDatabase() {
  workspace_.reset();  // close the file before its directory goes
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

int TempGoodsDatabase::AddGoods(const std::string& name, const std::string& item_number,
                                double price, const std::string& unit, double stock,
                                const std::string& remark) {
  if (!workspace_->Add({name, item_number, price, unit, stock, remark})) {
    throw std::runtime_error("cannot add a goods record");
  }
  return workspace_->Bookmark();
}

}  // namespace quill::testing
