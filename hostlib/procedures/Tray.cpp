// The tray icon and its callback into the program's events.
#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "wrappers/HostArgs.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"

using namespace hostlib::detail;

void POSTIT(int32_t event, int32_t thread) { zq::rt::Post(event, 0, static_cast<uint32_t>(thread)); }

int32_t CREATETRAYICON(uint32_t window, std::string_view icon, std::string_view tip, std::string_view menu,
                       int32_t event) {
  return UTCreateTrayIcon(window, zq::rt::IconInstance(), Len(icon), Ptr(icon), Len(tip), Ptr(tip), Len(menu),
                          Ptr(menu), event, POSTIT, static_cast<int32_t>(zq::rt::CurrentThread()));
}
