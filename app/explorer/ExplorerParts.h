// What the explorer's window, commands and dialogs share inside the explorer area.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Explorer;

// The options of a conversion (CG); the defaults are those of a conversion without the
// options window.
struct CONVERTOPTIONS {
  uint8_t AAI = 1;
  std::string SRESIZE = "None";
  int32_t WIDTH = 0;
  int32_t HEIGHT = 0;
  uint8_t KAR = 0;
  std::string SFILTER = "Fast";
};

// The dialogs of the commands, centred over the explorer; each closes as cancelled at its
// next timer tick once ABORTALL is set.
bool ASKCONVERTOPTIONS(Explorer& explorer, CONVERTOPTIONS& options);  // P15$CWIN: false when cancelled
std::optional<std::string> ASKFOLDERNAME(Explorer& explorer);      // P18$ASKWIN: the entry's text; none on Esc
bool ASKDELETE(Explorer& explorer);                                // P11$ASKWIN: true for OK

// Why a new folder's name cannot be made inside the panel's folder; empty when it can.
std::string FOLDERNAMEFAULT(std::string_view name);

// Whether a file or folder stands at the path.
bool STANDS(std::string_view path);

// The folder when it stands on disk, else its nearest parent that does; the folder itself
// when none does (its drive is gone).
std::string NEARESTFOLDER(std::string_view folder);

// Whether two Windows-view paths name the same file (the same path, another spelling of it,
// or a link to it).
bool SAMEFILE(std::string_view first, std::string_view second);
