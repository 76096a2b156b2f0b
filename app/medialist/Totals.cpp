// MFTOTALS: the counts and sizes per kind of MFQ and the disk that holds the media.
#include "Totals.h"

#include "app/Helpers.h"
#include "app/MediaList.h"
#include "hostlib/Procedures.h"

namespace medialist {

namespace {

// The folder itself, or the nearest folder above it that is still there (a list read from a
// file may name folders that are gone), down to its drive root: the disk is the file system
// that holds it, which may be mounted anywhere below the drive's own.
std::string HoldingFolder(std::string_view dir) {
  std::string folder = CHECKPATH(dir);
  uint64_t value = 0;
  while (GETDISKINFO(folder, value, kDiskTotal) != 1) {
    std::string up = GETUPDIR(folder);
    if (up == folder) break;
    folder = std::move(up);
  }
  return folder;
}

}  // namespace

void TotalsCounter::Count(const zq::rt::RecordRef& r) {
  MEDIATOTALS& t = totals_;
  const double size = MFQF.RSIZE(r);
  switch (MFQF.MTYPE(r)) {
    case MediumType::BdRip: ++t.CNTBD; t.TOTBSIZE += size; break;
    case MediumType::DvdRip: ++t.CNTDD; t.TOTVSIZE += size; break;
    case MediumType::VideoFile: ++t.CNTMF; t.TOTMSIZE += size; break;
    case MediumType::MusicFile: ++t.CNTAF; t.TOTASIZE += size; break;
    default: ++t.CNTUF; t.TOTUSIZE += size; break;
  }
  lastDir_ = MFQF.DIR(r);
}

MEDIATOTALS TotalsCounter::Finish() const {
  MEDIATOTALS t = totals_;
  t.CNTTF = t.CNTBD + t.CNTDD + t.CNTMF + t.CNTAF + t.CNTUF;
  t.TOTTSIZE = t.TOTBSIZE + t.TOTVSIZE + t.TOTMSIZE + t.TOTASIZE + t.TOTUSIZE;
  if (t.CNTTF == 0) return t;
  const std::string folder = HoldingFolder(lastDir_);
  uint64_t value = 0;
  if (GETDISKINFO(folder, value, kDiskTotal) == 1) t.DISKT = static_cast<double>(value);
  if (GETDISKINFO(folder, value, kDiskFreeUser) == 1) t.DISKF = static_cast<double>(value);
  t.DISKU = t.DISKT - t.DISKF;
  return t;
}

}  // namespace medialist

void MFTOTALS() {
  medialist::TotalsCounter counter;
  // Records read one by one: a scan may be adding to the list meanwhile.
  const uint32_t records = MFQ.Records();
  for (uint32_t i = 1; i <= records; ++i) {
    const std::optional<zq::rt::Record> r = MFQ.Peek(i);
    if (!r) break;
    counter.Count(*r);
  }
  MFSIZE = counter.Finish();
}
