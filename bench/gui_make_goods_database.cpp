// Writes a goods database of N records into a directory, for measuring the whole program:
//   gui_make_goods_database <directory> <records>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bench/editor_large_database.h"
#include "storage/goods_database.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gui_make_goods_database <directory> <records>\n";
    return 2;
  }
  const std::filesystem::path target = std::filesystem::path(argv[1]) / quill::kGoodsDatabaseFileName;
  quill::bench::LargeGoodsDatabase database(std::atoi(argv[2]));
  std::filesystem::copy_file(database.Path(), target,
                             std::filesystem::copy_options::overwrite_existing);
  std::cout << target.string() << '\n';
  return 0;
}
