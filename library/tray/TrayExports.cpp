// The UT tray exports.
#include "frame/CVantor.h"
#include "frame/Exports.h"
#include "tray/CSystemTray.h"
#include "tray/TrayCodes.h"

namespace {

using namespace zqv::tray;

CSystemTray& TheTray() {
  return CVantor::App().Tray([] { return zqv::MakeOwned<CSystemTray>(); },
                             [](CSystemTray& tray) { tray.RemoveIcon(); });
}

}  // namespace

ZQV_API int32_t UTCreateTrayIcon(uint32_t notifyWindow, uint32_t instance, int32_t nameLen, const char* name,
                                 int32_t tipLen, const char* tip, int32_t menuLen, const char* menu,
                                 int32_t doubleClickCommand, TRAYCOMMANDPROC callback, int32_t user) {
  return zqv::Export<int32_t>(kHiddenWindowFailed, [&] {
    if (notifyWindow == 0) return kNullNotifyWindow;
    if (instance == 0) return kNullInstance;
    if (!name) return kNullIconName;
    return TheTray().Create(notifyWindow, instance, std::string(zqv::HostText(nameLen, name)),
                            zqv::HostText(tipLen, tip), zqv::HostText(menuLen, menu), doubleClickCommand, callback,
                            user);
  });
}

ZQV_API int32_t UTChangeTrayIcon(uint32_t instance, int32_t nameLen, const char* name) {
  return zqv::Export<int32_t>(kNoSuchIcon, [&] {
    if (!name) return kDone;
    return TheTray().SetIcon(instance, std::string(zqv::HostText(nameLen, name)));
  });
}

ZQV_API int32_t UTSetTrayNotificationWin(int32_t tipLen, const char* tip, uint32_t window, int32_t user) {
  return zqv::Export<int32_t>(kRefused,
                              [&] { return TheTray().SetNotification(zqv::HostText(tipLen, tip), window, user); });
}

ZQV_API int32_t UTDestroyTrayIcon(void) {
  return zqv::Export<int32_t>(kRemoveRefused, [] { return TheTray().RemoveIcon(); });
}

ZQV_API uint8_t UTIsTrayWinHidden(void) {
  return zqv::Export<uint8_t>(0, [] { return static_cast<uint8_t>(TheTray().Hidden() ? 1 : 0); });
}
