// Program entry: the application, the main window and its start-up, then the event loop.
#include <QApplication>

#include "app/KVUGraphiques.h"

int main(int, char** argv) {
  int argc = 1;  // the program reads no command line
  QApplication application(argc, argv);
  TKVFGraphiques KVFGraphiques;
  KVFGraphiques.FormCreate(&KVFGraphiques);
  // A close that arrived while start-up waited for the window to be shown has already ended
  // the program's one window; the event loop would wait for a quit that never comes.
  if (!KVFGraphiques.isVisible()) return 0;
  return QApplication::exec();
}
