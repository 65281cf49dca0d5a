// LoadGoodsList over large goods databases, offscreen: the wait cursor, the rebuild of every
// row and the first paint of the list that follows it.
#include <QTest>

#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "bench/editor_large_database.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

void BM_LoadGoodsList(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  bench::LargeGoodsDatabase database(records);
  SeamSet seams;
  seams.run_directory = QString::fromStdString(database.Directory().string());
  InstallSeams(seams);
  MainWindow window;
  window.Show();
  if (!QTest::qWaitFor([&] { return window.FirstActivationDone(); }, 60000)) {
    state.SkipWithError("the main window was never activated");
    return;
  }
  if (window.GoodsList().RowCount() != records) {
    state.SkipWithError("the list does not hold every record");
    return;
  }
  for (auto _ : state) {
    window.LoadGoodsList();
    window.GoodsList().viewport()->repaint();
    QCoreApplication::processEvents();
  }
  state.counters["rows"] = window.GoodsList().RowCount();
  window.CloseWindow();
  (void)QTest::qWaitFor([&] { return !window.IsOpen(); });
  InstallSeams(SeamSet{});
}
BENCHMARK(BM_LoadGoodsList)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quill
