// The entry pane's costs on a long entry (126,999 bytes, about 5000 words), offscreen with
// the real fonts: a full layout (also with the Sanskrit words in Devanagari), the drawing of
// one viewport, and a repaint of the pane after scrolling.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QWindow>
#include <memory>
#include <string>

#include "dictionary/found_rows.h"
#include "display/entry_fonts.h"
#include "display/entry_layout.h"
#include "display/entry_text_device.h"
#include "display/shabda_view.h"
#include "synthetic_entry.h"

namespace kv::bench {
namespace {

constexpr int kEntryBytes = kLineLimit - 1;
constexpr int kPaneWidth = 700;
constexpr int kPaneHeight = 600;

const std::string& Entry() {
  static const std::string entry = MakeSyntheticEntry(kEntryBytes);
  return entry;
}

void ReportLayout(benchmark::State& state, const CEntryLayout& layout) {
  state.counters["pieces"] = layout.PieceCount();
  state.counters["words"] = layout.m_wordCount;
  state.counters["paragraphs"] = layout.m_paragraphCount;
  state.counters["height_px"] = layout.Height();
}

// The entry pane's fonts at their start sizes.
const CEntryFonts& Fonts() {
  static const CEntryFonts fonts = [] {
    CEntryFonts made;
    made.Create();
    return made;
  }();
  return fonts;
}

// The pane's own path: a new entry laid out with the fonts' advances already known.
void BM_FullLayout(benchmark::State& state) {
  CEntryFontMetrics metrics;
  metrics.Reset(Fonts(), QFont());
  CEntryTextDevice device(nullptr, metrics);
  auto layout = std::make_unique<CEntryLayout>();
  for (auto _ : state) {
    layout->Layout(Entry().c_str(), kPaneWidth, device);
    benchmark::DoNotOptimize(layout->m_wordCount);
  }
  ReportLayout(state, *layout);
}
BENCHMARK(BM_FullLayout)->Unit(benchmark::kMillisecond);

// The same layout with the Sanskrit words in Devanagari, each measured shaped: a new entry
// (every word shaped), and the entry laid out again at another width (widths known).
void BM_FullLayoutDevanagari(benchmark::State& state, bool widthsKnown) {
  CEntryFontMetrics metrics;
  metrics.Reset(Fonts(), QFont());
  auto layout = std::make_unique<CEntryLayout>();
  layout->SetSanskritScript(SanskritScript::kDevanagari);
  for (auto _ : state) {
    if (!widthsKnown) metrics.Reset(Fonts(), QFont());
    CEntryTextDevice device(nullptr, metrics);
    layout->Layout(Entry().c_str(), kPaneWidth, device);
    benchmark::DoNotOptimize(layout->m_wordCount);
  }
  ReportLayout(state, *layout);
}
BENCHMARK_CAPTURE(BM_FullLayoutDevanagari, new_entry, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullLayoutDevanagari, again, true)->Unit(benchmark::kMillisecond);

// The same layout after a font change: every advance asked of the font again.
void BM_FullLayoutNewFonts(benchmark::State& state) {
  CEntryFontMetrics metrics;
  auto layout = std::make_unique<CEntryLayout>();
  for (auto _ : state) {
    metrics.Reset(Fonts(), QFont());
    CEntryTextDevice device(nullptr, metrics);
    layout->Layout(Entry().c_str(), kPaneWidth, device);
    benchmark::DoNotOptimize(layout->m_wordCount);
  }
  ReportLayout(state, *layout);
}
BENCHMARK(BM_FullLayoutNewFonts)->Unit(benchmark::kMillisecond);

void BM_DrawViewport(benchmark::State& state) {
  QImage image(kPaneWidth, kPaneHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  CEntryFontMetrics metrics;
  metrics.Reset(Fonts(), QFont());
  CEntryTextDevice device(&painter, metrics);
  auto layout = std::make_unique<CEntryLayout>();
  layout->Layout(Entry().c_str(), kPaneWidth, device);
  int top = 0;
  for (auto _ : state) {
    // A page further down each time, as after scrolling.
    top = (top + CShabdaView::kPageStepY) % (layout->Height() - kPaneHeight);
    painter.resetTransform();
    painter.translate(0, -top);
    painter.fillRect(QRect(0, top, kPaneWidth, kPaneHeight), Qt::white);
    layout->Draw(Entry().c_str(), device, CRect{0, top, kPaneWidth, top + kPaneHeight});
  }
  ReportLayout(state, *layout);
}
BENCHMARK(BM_DrawViewport)->Unit(benchmark::kMillisecond);

void BM_RepaintAfterScroll(benchmark::State& state) {
  CShabdaView view;
  view.resize(kPaneWidth, kPaneHeight);
  view.show();
  while (!view.windowHandle()->isExposed()) {
    QCoreApplication::processEvents();
  }
  view.ShowNewEntry(Entry().c_str());
  QScrollBar* bar = view.verticalScrollBar();
  for (auto _ : state) {
    bar->setValue((bar->value() + CShabdaView::kPageStepY) % bar->maximum());
    view.viewport()->repaint();  // the whole viewport, not just the strip the scroll exposed
  }
  ReportLayout(state, view.Layout());
}
BENCHMARK(BM_RepaintAfterScroll)->Unit(benchmark::kMillisecond);

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
