// UTEndWindows: log off, power off, reboot or shut down through the platform's one request.
#include "frame/Exports.h"
#include "zqplatform/system.h"
#include "zqvantor/system.h"

namespace {

constexpr int32_t kBadMode = -5;
constexpr int32_t kRefused = -6;

}  // namespace

// There is no shutdown privilege to enable and drop again: the login manager decides, so
// the privilege codes -1 to -4 never occur.
ZQV_API int32_t UTEndWindows(int32_t mode, int32_t insistence) {
  return zqv::Export(kRefused, [&] {
    using namespace zq::sys;
    uint32_t flags;
    switch (mode) {
      case 1: flags = EWX_LOGOFF; break;
      case 2: flags = EWX_POWEROFF; break;
      case 3: flags = EWX_REBOOT; break;
      case 4: flags = EWX_SHUTDOWN; break;
      default: return kBadMode;
    }
    if (insistence == 1) flags |= EWX_FORCEIFHUNG;
    if (insistence == 2) flags |= EWX_FORCE;
    return ExitWindowsEx(flags, 0) ? 0 : kRefused;
  });
}
