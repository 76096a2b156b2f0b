/* The TM family: stopwatches, waits and the text ticker. A bad handle gives -1 from every
   function but TMDestroy and TMSleep. */
#ifndef ZQVANTOR_TIMERS_H
#define ZQVANTOR_TIMERS_H

#include "zqvantor/common.h"

/* The ticker's notification, called on the ticker's thread after every step with
   (message number, thread id); its result is not used. */
typedef int32_t (*TMTICKERPROC)(int32_t message, int32_t threadId);

/* A new timer's handle (1 to 65534); -1 when none is free. */
ZQV_API int32_t TMCreate(void);
/* 0, also for handle 0 or one not registered; -2 outside 1 to 65535. Stops a running ticker
   without restoring its buffer. */
ZQV_API int32_t TMDestroy(int32_t h);
/* Starts the stopwatch again from 0. */
ZQV_API int32_t TMStartTimer(int32_t h);
/* Milliseconds counted while running (0 before the first start). */
ZQV_API int32_t TMGetElapsedTime(int32_t h);
/* Suspends the stopwatch; the milliseconds counted up to the suspension. */
ZQV_API int32_t TMSuspendTimer(int32_t h);
ZQV_API int32_t TMResumeTimer(int32_t h);
/* Sets a wait of ms milliseconds; TMGetWait answers 1 while it runs, then 0. */
ZQV_API int32_t TMSetWait(int32_t h, uint32_t ms);
ZQV_API int32_t TMGetWait(int32_t h);
/* Sleeps ms milliseconds (0 yields, 0xFFFFFFFF for ever). */
ZQV_API void TMSleep(uint32_t ms);
/* Scrolls the buffer's first message length bytes through its first width bytes, one step
   per interval (5 or less: 100 ms): mode 0 a marquee, any other mode a window that bounces
   from end to end. After every step the callback is called, or without one the message is
   posted to the thread; with message number or thread id 0 nobody is notified. A message
   length below 1 is the buffer length, a width below 1 the message length. The buffer
   belongs to the ticker until TMTickerOff, which restores its former content.
   0 when started or already running; -1 for a bad handle, a null buffer, a length below 1,
   a width or message length beyond the buffer, or a thread that cannot start. */
ZQV_API int32_t TMTickerOn(int32_t h, int32_t length, char* buffer, int32_t width, int32_t mode,
                           int32_t messageLength, int32_t interval, int32_t message, int32_t threadId,
                           TMTICKERPROC callback);
ZQV_API int32_t TMTickerOff(int32_t h);

#endif
