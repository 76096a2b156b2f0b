#include "ZQ_Vantor.h"
#include "hostlib/Wrappers.h"
#include "wrappers/Created.h"
#include "wrappers/HostArgs.h"

using namespace hostlib::detail;

TIMER::TIMER()
    : TMHANDLE(Created(TMCreate(), {"Critical System Error Creating Timer Object.", "Timer.Construct"}, INTERROR)) {}

void TIMER::DESTRUCT() { Destructed(TMHANDLE, INTERROR, TMDestroy); }

int32_t TIMER::START() { return Value(INTERROR, TMStartTimer(TMHANDLE)); }

int32_t TIMER::ELAPSED() { return Value(INTERROR, TMGetElapsedTime(TMHANDLE)); }

void TIMER::SETWAIT(int32_t milliseconds) { TMSetWait(TMHANDLE, static_cast<uint32_t>(milliseconds)); }

int32_t TIMER::GETWAIT() { return Value(INTERROR, TMGetWait(TMHANDLE)); }
