// ERRORMSG: the error dialog.
#include <string>

#include "dialogs/DialogLoop.h"
#include "hostlib/Dialogs.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqplatform/uimodel.h"

namespace {

using namespace hostlib::dialogs;

namespace E = orvid::res::ErrorDialog;

// The buttons by answer (OK 1 ... Ignore All 9).
constexpr ButtonNumbers kButtons = {0, E::Ok, E::Cancel, E::Abort, E::Retry, E::Ignore, E::Skip, E::Yes, E::No, E::IgnoreAll};
constexpr int32_t kProcedure = E::Procedure, kMessage = E::Message, kErrorCode = E::Errorcode,
                  kCountdown = E::Countdown, kDetails = E::Details;

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// The details keep their whole text; one too long for the field's line wraps in it and scrolls.
zq::rt::WindowDef WithDetails(std::string_view details) {
  zq::rt::WindowDef def = orvid::res::WindowDefinition("ErrorDialog");
  for (zq::rt::ControlDef& c : def.controls) {
    if (c.number != kDetails) continue;
    c.maxLength = 0;
    zq::ui::FontMetrics m = zq::ui::Measure(c.font.value_or(def.font));
    RECT field = zq::ui::DialogUnitsToPixels(def.font, RECT{0, 0, c.at.width, c.at.height});
    if (int64_t{m.averageWidth} * static_cast<int64_t>(details.size()) > field.right * 9 / 10) {
      c.multiLine = true;
      c.vscroll = true;
    }
  }
  return def;
}

}  // namespace

uint8_t ERRORMSG(std::string_view message, std::string_view procedure, std::string_view details,
                 int16_t errorCode, uint8_t buttonSet, int16_t timeoutMs, HWND owner) {
  zq::rt::Window w(WithDetails(details));
  if (!OpenOver(w, owner)) return kNoAnswer;
  struct Shown {
    int32_t control;
    std::string_view text;
  };
  // The message and the procedure are cut to their fields' lengths (100 and 50 characters).
  for (Shown s : {Shown{kMessage, message}, Shown{kProcedure, procedure}, Shown{kDetails, details}}) {
    w.SetText(s.control, s.text);
    if (Blank(s.text)) w.Hide(s.control, s.control);
  }
  w.SetText(kErrorCode, std::to_string(errorCode));
  return AskAndClose(w, {.buttons = &kButtons, .countdown = kCountdown}, buttonSet, true, timeoutMs);
}
