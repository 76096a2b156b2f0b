// The program Orvid, started in its program folder.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "RecordViews.h"
#include "app/MainWindow.h"
#include "zqplatform/uimodel.h"

int main() {
  // A member that binds no field would read 0 and drop its writes without a word.
  if (const std::string unbound = UNBOUNDFIELDS(RECORDVIEWS()); !unbound.empty()) {
    std::fprintf(stderr, "Orvid's record views name fields their layouts lack: %s\n", unbound.c_str());
    return 2;
  }
  // Without a display the window model falls back to showing nothing: a window nobody can
  // see or close would keep the program waiting for ever.
  const char* chosen = std::getenv("ZQ_PRESENTER");
  if (zq::ui::PresenterName() == "null" && (chosen == nullptr || std::string_view(chosen) != "null")) {
    std::fprintf(stderr, "Orvid needs a desktop to show its window, and no display could be opened.\n");
    return 1;
  }
  orvid::_main();
  return 0;
}
