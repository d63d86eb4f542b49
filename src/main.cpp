// kavivani: the dictionary program.
//   kavivani                      starts the program
//   kavivani --quit-after-start   starts it, paints the window once and quits (the start-up
//                                 benchmark times this)
//   kavivani --help | --version   answers on the terminal, without opening a window
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "dictionary/dictionary_locations.h"
#include "shell/main_frame.h"
#include "shell/shabda_app.h"

namespace {

constexpr char kHelp[] =
    "usage: kavivani [--quit-after-start]\n"
    "\n"
    "Kavivani is a Sanskrit-English dictionary. Type or paste the beginning of a Sanskrit\n"
    "word, in Devanagari, IAST, Harvard-Kyoto or ITRANS, and it lists every headword that\n"
    "begins with it (or, when none does, those that begin with it loosely); pick one to read\n"
    "its entry. Edit > Find in Entries (Ctrl+F) lists the headwords whose entries hold English\n"
    "or Sanskrit words; the History menu goes back and forward, Favourites keeps headwords.\n"
    "\n"
    "options:\n"
    "  --quit-after-start  paint the window once and quit (to time the start-up)\n"
    "  --help, -h          print this help and exit\n"
    "  --version           print the version and exit\n"
    "Qt's own options (-platform, -style, ...) are accepted as well.\n"
    "\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::printf("%s%s", kHelp, kv::kDictionarySearchHelp);
      return 0;
    }
    if (arg == "--version") {
      std::printf("kavivani %s\n", KV_VERSION);
      return 0;
    }
  }
  QApplication application(argc, argv);
  // Desktops that match windows to their desktop entry by this name (Wayland's app id) take
  // the task bar's icon and name from it.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.kavivani.Kavivani"));
  kv::CShabdaApp app;
  if (!app.InitInstance()) return 1;
  if (QCoreApplication::arguments().contains(QStringLiteral("--quit-after-start"))) {
    // Once the posted start-up work (the document window's maximising) has run, paint the
    // whole window and leave.
    QTimer::singleShot(0, [&app] {
      app.MainFrame()->grab();
      QCoreApplication::quit();
    });
  }
  int result = QApplication::exec();
  app.ExitInstance();
  return result;
}
