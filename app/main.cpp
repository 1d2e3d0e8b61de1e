// Program entry: the application, the main window and its start-up, then the event loop.
#include <QApplication>

#include "app/KVUGraphiques.h"

int main(int, char** argv) {
  int argc = 1;  // the program reads no command line
  QApplication application(argc, argv);
  TKVFGraphiques KVFGraphiques;
  KVFGraphiques.FormCreate(&KVFGraphiques);
  return QApplication::exec();
}
