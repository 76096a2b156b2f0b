// ERRORMSG for now as the runtime's plain message box: message, procedure, details and code
// in its text, OK only.
#include <string>

#include "hostlib/Dialogs.h"
#include "zqruntime/dialogs.h"

uint8_t ERRORMSG(std::string_view message, std::string_view procedure, std::string_view details,
                 int16_t errorCode, uint8_t /*buttonSet*/, int16_t /*timeoutMs*/, HWND owner) {
  std::string text(message);
  if (!procedure.empty()) text.append("\nProcedure: ").append(procedure);
  if (!details.empty()) text.append("\n").append(details);
  text.append("\nErrorcode: ").append(std::to_string(errorCode));
  return static_cast<uint8_t>(zq::rt::Message(text, "Error", MB_OK | MB_ICONHAND, owner));
}
