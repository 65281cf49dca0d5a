#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "storage/edb_database.h"

namespace quill::bench {

// Every kNeedleSpacing-th record carries this item number, so a search finds a handful.
inline constexpr const char* kNeedleItemNumber = "NEEDLE";
inline constexpr int kNeedleSpacing = 200000;

// A goods database of `records` live records (names G0000001…, item numbers N0000001…),
// written straight in the file layout so that building a million records takes a second,
// not the time of a million adds. The directory goes away with the object.
class LargeGoodsDatabase {
 public:
  explicit LargeGoodsDatabase(int records);
  ~LargeGoodsDatabase();
  LargeGoodsDatabase(const LargeGoodsDatabase&) = delete;
  LargeGoodsDatabase& operator=(const LargeGoodsDatabase&) = delete;

  const std::filesystem::path& Directory() const { return directory_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path directory_;
  std::filesystem::path path_;
};

}  // namespace quill::bench
