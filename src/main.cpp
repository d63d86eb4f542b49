// kavivani: the dictionary program.
#include <QApplication>

#include "shell/shabda_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (!kv::g_app.InitInstance()) return 1;
  int result = QApplication::exec();
  kv::g_app.ExitInstance();
  return result;
}
