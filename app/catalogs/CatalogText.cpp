#include "CatalogText.h"

#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"

namespace orvid::catalogs {

void Report(std::string_view message, std::string_view procedure, std::string_view details, int32_t code) {
  ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kAbortOnly, 0, MWHANDLE);
}

DUNEFILE IndexRecord(std::string_view icon, const CATLAYOUT& layout) {
  DUNEFILE r;
  r.ICON = std::string(icon);
  r.ALLIGN = LowerWord(layout.ALLIGN);
  r.IVIEW = "yes";
  r.COLS = layout.COLS;
  r.ROWS = layout.ROWS;
  r.TOP = layout.TOP;
  r.BOT = layout.BOT;
  r.TEXTBOT = layout.TEXTBOT;
  r.FSIZE = LowerWord(layout.FSIZE);
  return r;
}

void AddBackground(DUNEFILE& r, std::string_view picture, const CATBACKGROUND& box) {
  r.BGPATH = std::string(picture);
  r.BGX = box.X;
  r.BGY = box.Y;
  r.BGW = box.W;
  r.BGH = box.H;
}

}  // namespace orvid::catalogs
