// The program Orvid.
#include "app/MainWindow.h"

int main() {
  orvid::_main();
  return 0;
}
