#include "PassParts.h"

#include "app/State.h"
#include "hostlib/Dialogs.h"

namespace orvid::pass {

uint8_t AskUnlessSilenced(bool& silenced, std::string_view message, std::string_view procedure,
                          std::string_view details, int32_t code) {
  if (silenced) return 0;
  const uint8_t answer =
      ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kCancelIgnoreAll, 0, MWHANDLE);
  if (answer == kIgnoreAll) silenced = true;
  return answer;
}

}  // namespace orvid::pass
