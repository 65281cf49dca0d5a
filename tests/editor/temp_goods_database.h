#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "storage/edb_database.h"

namespace quill::testing {

// A fresh goods database written from the template in a directory of its own, open under
// the goods alias and current; the directory goes away with the object.
class TempGoodsDatabase {
 public:
  TempGoodsDatabase();
  ~TempGoodsDatabase();
  TempGoodsDatabase(const TempGoodsDatabase&) = delete;
  TempGoodsDatabase& operator=(const TempGoodsDatabase&) = delete;

  EdbWorkspace& Workspace() { return *workspace_; }
  const std::filesystem::path& Directory() const { return directory_; }
  const std::filesystem::path& Path() const { return path_; }

  // Appends a live record; the texts are GBK bytes.
  int AddGoods(const std::string& name, const std::string& item_number, double price = 1.0,
               const std::string& unit = "\xB8\xF6", double stock = 1.0,  // 个
               const std::string& remark = "");

 private:
  std::filesystem::path directory_;
  std::filesystem::path path_;
  std::unique_ptr<EdbWorkspace> workspace_ = std::make_unique<EdbWorkspace>();
};

}  // namespace quill::testing
