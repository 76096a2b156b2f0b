#include "app/Helpers.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"

uint8_t AskUnlessSilenced(bool& silenced, std::string_view message, std::string_view procedure,
                          std::string_view details, int32_t code) {
  if (silenced) return kNoAnswer;
  const uint8_t answer =
      ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kCancelIgnoreAll, 0, MWHANDLE);
  if (answer == kIgnoreAll) silenced = true;
  return answer;
}
