// kavivani: the dictionary program.
//   kavivani                      starts the program
//   kavivani --quit-after-start   starts it, paints the window once and quits (the start-up
//                                 benchmark times this)
#include <QApplication>
#include <QTimer>

#include "shell/main_frame.h"
#include "shell/shabda_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
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
