// The settings, options and tables the pass works with, taken once.
#include "PassParts.h"
#include "app/Pass.h"
#include "app/Scan.h"
#include "hostlib/Procedures.h"

namespace {

LAYOUTROW RowOf(const zq::rt::Record& r) {
  LAYOUTROW row;
  row.ALIGN = WithoutTrailingBlanks(QSCRIPTF.ALIGN(r));
  row.IDX = static_cast<int16_t>(QSCRIPTF.IDX(r));
  row.IDY = static_cast<int16_t>(QSCRIPTF.IDY(r));
  row.SCALE = QSCRIPTF.SCALE(r);
  row.AUTOICON = WithoutTrailingBlanks(QSCRIPTF.AUTOICON(r));
  row.COLS = static_cast<int16_t>(QSCRIPTF.COLS(r));
  row.ROWS = static_cast<int16_t>(QSCRIPTF.ROWS(r));
  row.TOP = static_cast<int16_t>(QSCRIPTF.TOP(r));
  row.BOT = static_cast<int16_t>(QSCRIPTF.BOT(r));
  row.FSIZE = WithoutTrailingBlanks(QSCRIPTF.FSIZE(r));
  row.IVIEW = WithoutTrailingBlanks(QSCRIPTF.IVIEW(r));
  return row;
}

// Every record of level 1 lies in the root the list was scanned from.
std::string ScannedRoot(const zq::rt::Queue& q) {
  for (uint32_t i = 1; i <= q.Records(); ++i) {
    const std::optional<zq::rt::Record> r = q.Peek(i);
    if (r && QDIRF.LEVEL(*r) == 1) return CHECKPATH(WithoutTrailingBlanks(QDIRF.DIRNAME(*r)));
  }
  return {};
}

}  // namespace

PASSSETTINGS TAKEPASSSETTINGS(const zq::rt::Queue& q) {
  PASSSETTINGS s;
  s.ST = ST.Get();
  s.RMC = RMC;
  s.DOICCONV = DOICCONV;
  s.AUTOICRESIZE = AUTOICRESIZE;
  s.DOBGCONV = DOBGCONV;
  s.AUTOBGRESIZE = AUTOBGRESIZE;
  s.DELSCRIPT = DELSCRIPT;
  s.UPDSCRIPT = UPDSCRIPT;
  s.PROCESSV = PROCESSV;
  s.DOINDEXV = DOINDEXV;
  s.REMEMPTYV = REMEMPTYV;
  s.PROCESSA = PROCESSA;
  s.DOINDEXA = DOINDEXA;
  s.REMEMPTYA = REMEMPTYA;
  // A table another thread edits meanwhile may lose a row between the count and the copy.
  for (uint32_t i = 1; i <= QSCRIPT.Records(); ++i) {
    if (const std::optional<zq::rt::Record> r = QSCRIPT.Peek(i)) s.LAYOUTS.push_back(RowOf(*r));
  }
  for (uint32_t i = 1; i <= VEXTENSIONS.Records(); ++i) {
    if (const std::optional<zq::rt::Record> r = VEXTENSIONS.Peek(i))
      s.COVERS.emplace_back(WithoutTrailingBlanks(VEXTF.EXT(*r)), WithoutTrailingBlanks(VEXTF.COVER(*r)));
  }
  s.SCAN = TAKESCANRULES(s.ST);
  s.INIPATH = CHECKPATH(INIPATH);
  s.ROOT = ScannedRoot(q);
  s.ROOTDIR = ROOTDIR.Get();
  return s;
}
