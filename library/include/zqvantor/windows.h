/* Window helpers over the window model, and the floating message box. Window handles are
   32-bit; rectangles are screen pixels. Colours are 0x00BBGGRR; -1 chooses the default. */
#ifndef ZQVANTOR_WINDOWS_H
#define ZQVANTOR_WINDOWS_H

#include "zqvantor/common.h"

/* Brings the window to the foreground and only then makes it topmost and shows it; 0 when it
   cannot be brought to the foreground. */
ZQV_API int32_t VTWinOnTop(uint32_t window);
/* Puts the window at the bottom of the Z order (no longer topmost). */
ZQV_API int32_t VTWinOffTop(uint32_t window);
/* The top visible window of the Z order, or 0. */
ZQV_API uint32_t VTWinGetTop(void);
/* The window's screen rectangle as x, y, width, height; 0 (nothing written) for an unknown
   window. A null output pointer is skipped. */
ZQV_API int32_t VTWinGetSize(uint32_t window, int32_t* x, int32_t* y, int32_t* width, int32_t* height);
/* Moves and sizes the window; 0 for an unknown window. */
ZQV_API int32_t VTWinSetSize(uint32_t window, int32_t x, int32_t y, int32_t width, int32_t height);
/* Flashes the window (invert, low byte) or stops; non-zero when it was the active window. */
ZQV_API int32_t VTFlashWindow(uint32_t window, int32_t invert);

/* Shows the text in a small topmost box without caption whose dialog runs on a thread of its
   own. The new box's handle (1 to 65535); -1 no free handle; -5 the box's thread could not
   be started or its dialog did not come up within 5 seconds. */
ZQV_API int32_t VtorUp(int32_t textLen, const char* text, int32_t textColour, int32_t editColour,
                       int32_t windowColour);
/* Closes the box and waits for its thread: 0 (also for handle 0); -2 handle outside 1 to
   65535; -3 no box under that handle; -4 removing it from the registry failed. */
ZQV_API int32_t VtorDown(int32_t box);

#endif
