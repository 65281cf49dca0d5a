// The goods editor's save, the search and the delete over a database of a million goods.
// A save is its duplicate scan plus the add; a search finds a handful of goods and rebuilds
// the list with them; a delete marks, purges and reloads the whole list.
#include <memory>
#include <string>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "app/delete_goods.h"
#include "app/feature_commands.h"
#include "app/main_window.h"
#include "bench/editor_large_database.h"
#include "editor/goods_entry.h"
#include "storage/goods_database.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_box.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

constexpr int kRecords = 1'000'000;

class AlwaysOk final : public MessageBoxes {
 public:
  int Show(const QString&, MessageStyle, const QString&) override {
    ++shown;
    return kMessageOk;
  }
  int shown = 0;
};

void BM_SaveNewGoods(benchmark::State& state) {
  bench::LargeGoodsDatabase file(static_cast<int>(state.range(0)));
  EdbWorkspace db;
  if (!db.Open(file.Path(), kGoodsDatabaseAlias) || !db.SetCurrent(kGoodsDatabaseAlias)) {
    state.SkipWithError("cannot open the database");
    return;
  }
  int serial = 0;
  for (auto _ : state) {
    // Appending, not operator+ on a literal: GCC 12 at -O3 warns falsely about the latter.
    const std::string number = std::to_string(++serial);
    std::string name = "NEW";
    name += number;
    std::string item_number = "K";
    item_number += number;
    const GoodsInput input{name, item_number, "12.5", "\xB8\xF6", "3", ""};  // 个
    if (IsDuplicateGoods(db, input, 0)) state.SkipWithError("unexpected duplicate");
    if (!db.Add(GoodsRecordValues(input, EditorMode::kNew))) state.SkipWithError("add failed");
  }
}
BENCHMARK(BM_SaveNewGoods)
    ->Arg(kRecords)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

// The scan alone, to tell its share of a save from the write's.
void BM_DuplicateScan(benchmark::State& state) {
  bench::LargeGoodsDatabase file(static_cast<int>(state.range(0)));
  EdbWorkspace db;
  if (!db.Open(file.Path(), kGoodsDatabaseAlias) || !db.SetCurrent(kGoodsDatabaseAlias)) {
    state.SkipWithError("cannot open the database");
    return;
  }
  const GoodsInput input{"NEW", "K1", "12.5", "\xB8\xF6", "3", ""};  // 个
  for (auto _ : state) benchmark::DoNotOptimize(IsDuplicateGoods(db, input, 0));
}
BENCHMARK(BM_DuplicateScan)->Arg(kRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

// A shown main window over the large database, its list filled by the first activation.
struct LargeMainWindow {
  explicit LargeMainWindow(int records) : file(records) {
    SeamSet seams;
    seams.message_boxes = &messages;
    seams.run_directory = QString::fromStdString(file.Directory().string());
    InstallSeams(seams);
    main = std::make_unique<MainWindow>();
    main->Show();
    while (!main->FirstActivationDone()) QApplication::processEvents();
  }
  ~LargeMainWindow() {
    main.reset();
    InstallSeams(SeamSet{});
  }

  bench::LargeGoodsDatabase file;
  AlwaysOk messages;
  std::unique_ptr<MainWindow> main;
};

void BM_SearchHandful(benchmark::State& state) {
  LargeMainWindow w(static_cast<int>(state.range(0)));
  w.main->SearchField().SetSelectedIndex(1);  // 货号
  w.main->Keyword().SetText(QString::fromLatin1(bench::kNeedleItemNumber).toLower());
  for (auto _ : state) {
    SearchGoods(*w.main);
    QApplication::processEvents();  // the narrowed list is painted
    state.PauseTiming();
    if (w.main->GoodsList().RowCount() !=
        static_cast<int>(state.range(0)) / bench::kNeedleSpacing) {
      state.SkipWithError("search found the wrong rows");
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = w.main->GoodsList().RowCount();
}
BENCHMARK(BM_SearchHandful)->Arg(kRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DeleteSelectedGoods(benchmark::State& state) {
  LargeMainWindow w(static_cast<int>(state.range(0)));
  int expected_rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    w.main->GoodsList().SetCurrentRow(expected_rows / 2);  // a goods in the middle
    state.ResumeTiming();
    DeleteSelectedGoods(*w.main);
    QApplication::processEvents();  // the reloaded list is painted
    state.PauseTiming();
    if (w.main->GoodsList().RowCount() != --expected_rows) state.SkipWithError("nothing deleted");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteSelectedGoods)
    ->Arg(kRecords)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
}  // namespace quill
