// MFTOTALS: the counts and sizes per kind of MFQ and the disk that holds the media.
#include "app/Helpers.h"
#include "app/MediaList.h"
#include "app/State.h"
#include "hostlib/Procedures.h"

void MFTOTALS() {
  MFSIZE = {};
  const uint32_t records = MFQ.Records();
  if (records == 0) return;
  const zq::rt::RecordLayout& layout = MFQ.Layout();
  const zq::rt::TextField dir{layout, "DIR"};
  const zq::rt::RealField rsize{layout, "RSIZE"};
  const zq::rt::WholeField mtype{layout, "MTYPE"};
  std::string lastDir;
  // Records read one by one: a scan may be adding to the list meanwhile.
  for (uint32_t i = 1; i <= records; ++i) {
    const std::optional<zq::rt::Record> r = MFQ.Peek(i);
    if (!r) break;
    const double size = rsize(*r);
    switch (mtype(*r)) {
      case 1: ++MFSIZE.CNTBD; MFSIZE.TOTBSIZE += size; break;
      case 2: ++MFSIZE.CNTDD; MFSIZE.TOTVSIZE += size; break;
      case 3: ++MFSIZE.CNTMF; MFSIZE.TOTMSIZE += size; break;
      case 4: ++MFSIZE.CNTAF; MFSIZE.TOTASIZE += size; break;
      default: ++MFSIZE.CNTUF; MFSIZE.TOTUSIZE += size; break;
    }
    lastDir = dir(*r);
  }
  MFSIZE.CNTTF = MFSIZE.CNTBD + MFSIZE.CNTDD + MFSIZE.CNTMF + MFSIZE.CNTAF + MFSIZE.CNTUF;
  MFSIZE.TOTTSIZE = MFSIZE.TOTBSIZE + MFSIZE.TOTVSIZE + MFSIZE.TOTMSIZE + MFSIZE.TOTASIZE + MFSIZE.TOTUSIZE;

  const std::string root = GETROOT(lastDir);
  uint64_t value = 0;
  if (GETDISKINFO(root, value, kDiskTotal) == 1) MFSIZE.DISKT = static_cast<double>(value);
  if (GETDISKINFO(root, value, kDiskFreeUser) == 1) MFSIZE.DISKF = static_cast<double>(value);
  MFSIZE.DISKU = MFSIZE.DISKT - MFSIZE.DISKF;
}
