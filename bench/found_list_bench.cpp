// The found list's drawing, offscreen with the real fonts: a full list of 291 rows painted
// through the item delegate in "Devnag + translit", with the Devanagari as the list had it
// before (the glyph-code string decoded) and as it has it now (spelled from the row's letters
// through the model's data role), in one run.
//   ./build/bench/found_list_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "dictionary/found_rows.h"
#include "display/found_list_box.h"
#include "platform/font.h"
#include "synthetic_headwords.h"

namespace kv::bench {
namespace {

constexpr int kPaneWidth = 300;
constexpr int kListSize = 15;

// A model holding a full list of synthetic headwords at the list's start size.
CFoundListModel& FullList() {
  static CFoundListModel* list = [] {
    auto* model = new CFoundListModel;
    model->SetFontSize(kListSize);
    const std::vector<std::string> headwords = MakeSyntheticHeadwords(kMaxHits);
    for (int r = 0; r < kMaxHits; ++r) {
      FillRow(*model, r, headwords[static_cast<std::size_t>(r)].c_str());
      model->AddRow();
    }
    return model;
  }();
  return *list;
}

// Paints every row as the list view asks the delegate to, the Devanagari from `devanagari`.
template <typename Devanagari>
void PaintRows(benchmark::State& state, const Devanagari& devanagari) {
  CFoundListModel& list = FullList();
  const CFoundItemDelegate delegate(list);
  QImage image(kPaneWidth, list.ItemHeight(), QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  for (auto _ : state) {
    for (int r = 0; r < list.ItemCount(); ++r) {
      FoundItemPaint item;
      item.rect = QRect(0, 0, kPaneWidth, list.ItemHeight());
      item.devanagari = devanagari(list, r);
      item.translit = list.index(r).data(CFoundListModel::kTranslitRole).toString();
      painter.save();
      delegate.DrawItem(painter, item);
      painter.restore();
    }
  }
  state.counters["rows"] = list.ItemCount();
}

void BM_PaintListFromGlyphCodes(benchmark::State& state) {
  PaintRows(state, [](const CFoundListModel& list, int r) {
    return DecodeForCodePage(BoundedString(list.m_devanagariRows[r], kRowBytes), CodePage::kXdvng);
  });
}
BENCHMARK(BM_PaintListFromGlyphCodes)->Unit(benchmark::kMillisecond);

void BM_PaintListFromLetters(benchmark::State& state) {
  PaintRows(state, [](const CFoundListModel& list, int r) {
    return list.index(r).data(CFoundListModel::kDevanagariRole).toString();
  });
}
BENCHMARK(BM_PaintListFromLetters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
