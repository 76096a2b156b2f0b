#include "CatalogText.h"

#include "app/MainWindow.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"

namespace orvid::catalogs {

namespace {
thread_local uint32_t reports = 0;
thread_local std::string lastReported;
}  // namespace

bool Report(std::string_view message, std::string_view procedure, std::string_view details, int32_t code) {
  ++reports;
  lastReported = message;
  ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kAbortOnly, 0, MWHANDLE);
  UPDATESTATUS(0, message);
  return false;
}

uint32_t ReportsMade() { return reports; }

const std::string& LastReported() { return lastReported; }

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
