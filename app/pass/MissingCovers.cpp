// Default covers from "Covers" under INIPATH for folders without one, then a new scan.
#include "PassParts.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/Pass.h"
#include "app/Scan.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

using namespace orvid::pass;

namespace {

std::string CoverOf(const zq::rt::Record& r, const PASSSETTINGS& s) {
  switch (QDIRF.MTYPE(r)) {
    case FolderMedia::BluRayRip:
      return "BluRay.aai";
    case FolderMedia::DvdRip:
      return "DVD.aai";
    case FolderMedia::OneVideo: {
      const std::string ext = GETEXT(WithoutTrailingBlanks(QDIRF.MNAME(r)));
      for (const auto& [known, cover] : s.COVERS)
        if (!ext.empty() && SameWordNC(known, ext)) return cover + ".aai";
      return "Misc.aai";
    }
    case FolderMedia::SeveralVideos:
      return "Series.aai";
    default:
      return "Folder.aai";
  }
}

}  // namespace

void MISSINGCOVERS(zq::rt::Queue& q, const PASSSETTINGS& s) {
  const uint32_t n = q.Records();
  if (n == 0) return;
  const std::string target = WithoutTrailingBlanks(s.ST.ACR.NAME) + ".aai";
  UPDATESTATUS(0, "Adding Missing Covers.");
  LayoutRows rows(s.LAYOUTS);
  FILEIO file;
  bool silenced = false;
  for (uint32_t i = 1; i <= n; ++i) {
    const zq::rt::Record r = *q.Peek(i);
    const int64_t level = QDIRF.LEVEL(r);
    if (QDIRF.SCRIPT(r) != 0 && level >= 1 && level <= kLayoutRows) {
      const bool all = SameWordNC(rows.At(level).AUTOICON, "ALL");
      if (all || (QDIRF.CNACT(r) == 0 && QDIRF.CFACT(r) == 0)) {
        const std::string destination = CHECKPATH(WithoutTrailingBlanks(QDIRF.DIRNAME(r))) + target;
        const int32_t result = file.COPY(s.INIPATH + "Covers\\" + CoverOf(r, s), destination, 0);
        if (result < 0 && AskUnlessSilenced(silenced, "Error Copying Cover Image.", "MissingCovers", destination,
                                            result) == kCancel) {
          return;
        }
      }
    }
    UPDATESTATUS(static_cast<int32_t>(100.0 / n * i), "");
  }
  UPDATESTATUS(100, "");
  q.Free();
  MFQ.Free();
  SCANDIR(q, s.ROOT, 0, s.SCAN);
}
