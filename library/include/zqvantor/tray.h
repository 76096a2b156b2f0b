/* The tray icon: at most one icon in the notification area, owned by a hidden window of the
   library on the thread that creates it; that thread must keep dispatching its messages. */
#ifndef ZQVANTOR_TRAY_H
#define ZQVANTOR_TRAY_H

#include "zqvantor/common.h"

/* The host's command callback: (command number, user value), called on the creating thread. */
typedef void (*TRAYCOMMANDPROC)(int32_t command, int32_t user);

/* 0 created; -6 no notification window; -7 no instance; -8 null icon name; -1 an icon exists;
   -2 the hidden window failed; -3 the notification window does not exist; -4 no such icon;
   -5 the notification area refused the icon (or there is none). */
ZQV_API int32_t UTCreateTrayIcon(uint32_t notifyWindow, uint32_t instance, int32_t nameLen, const char* name,
                                 int32_t tipLen, const char* tip, int32_t menuLen, const char* menu,
                                 int32_t doubleClickCommand, TRAYCOMMANDPROC callback, int32_t user);
/* 0 changed (also for a null name, doing nothing); -1 no icon; -4 no such icon; -5 refused. */
ZQV_API int32_t UTChangeTrayIcon(uint32_t instance, int32_t nameLen, const char* name);
/* window 0 keeps the window, user -1 keeps the value, an empty tip keeps the tip.
   0 changed; -9 no icon; -5 refused. */
ZQV_API int32_t UTSetTrayNotificationWin(int32_t tipLen, const char* tip, uint32_t window, int32_t user);
/* 0 removed; -9 no icon; -10 refused; -3 the hidden window could not be destroyed. */
ZQV_API int32_t UTDestroyTrayIcon(void);
/* 1 when the last double click hid the notification window. */
ZQV_API uint8_t UTIsTrayWinHidden(void);

#endif
