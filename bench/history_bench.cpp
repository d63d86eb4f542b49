// Back and Forward in the program on the synthetic 200,000-headword dictionary of
// kv_make_dictionary (generated on first use, as for dictionary_bench), offscreen: each move puts
// a step back on the screen (the search text, the list made again, the row selected, its entry
// read, laid out and painted). Three pairs of neighbouring steps are moved between:
//  - an entry chosen from a full headword search (`sa`: 291 rows) and the next search (`pa`),
//    so that every move runs a search again;
//  - two entries of one find in the entries (`fire`), the list standing;
//  - an entry chosen from that find and the search after it (`sa`), so that every move back
//    runs the find again.
//
//   history_bench [--data=DIR] [--headwords=N] [benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "display/found_list_box.h"
#include "shell/main_frame.h"
#include "shell/shabda_app.h"

namespace kv::bench {
namespace {

CSyntheticDictionary g_dictionary;
CShabdaApp* g_app = nullptr;

void Search(const char* text) {
  g_app->MainFrame()->ShowSearchText(QString::fromLatin1(text), false);
  g_app->MainFrame()->OnSearch();
}

void Choose(int row) {
  g_app->FoundView()->List()->setCurrentIndex(g_app->FoundView()->Model().index(row));
  QCoreApplication::processEvents();
}

// Makes the two steps, then times moves between them, back and forward in turn, each until the
// window has painted it.
void BackAndForward(benchmark::State& state, const std::function<void()>& makeSteps) {
  makeSteps();
  bool back = true;
  for (auto _ : state) {
    if (back) {
      g_app->GoBack();
    } else {
      g_app->GoForward();
    }
    back = !back;
    QCoreApplication::processEvents();
  }
  state.counters["rows"] = g_app->FoundView()->Model().ItemCount();
}

void RegisterAll() {
  benchmark::RegisterBenchmark("back_forward/two_searches", [](benchmark::State& state) {
    BackAndForward(state, [] {
      Search("sa");
      Choose(150);
      Search("pa");
    });
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("back_forward/one_find", [](benchmark::State& state) {
    BackAndForward(state, [] {
      g_app->FindInEntries(QStringLiteral("fire"));
      Choose(0);
      Choose(100);
    });
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("back_forward/find_and_search", [](benchmark::State& state) {
    BackAndForward(state, [] {
      g_app->FindInEntries(QStringLiteral("fire"));
      Choose(0);
      Search("sa");
    });
  })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace kv::bench

int main(int argc, char** argv) {
  using namespace kv::bench;
  std::vector<char*> rest = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (!g_dictionary.TakeOption(argv[i])) rest.push_back(argv[i]);
  }
  if (!g_dictionary.Ensure("history_bench")) return 1;
  // The program's settings go to a folder of this run's own; the dictionary is the one in the
  // current directory.
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  qputenv("XDG_DATA_HOME", settings.path().toLocal8Bit());
  qputenv("XDG_DATA_DIRS", settings.path().toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QDir::setCurrent(QString::fromStdString(g_dictionary.data));
  kv::CShabdaApp app;
  if (!app.InitInstance()) return 1;
  g_app = &app;
  CMedianCollector collector;
  RunBenchmarks(rest, RegisterAll, collector);
  app.ExitInstance();
  benchmark::Shutdown();
  return 0;
}
