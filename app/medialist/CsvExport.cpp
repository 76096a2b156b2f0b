// MFEXPORT: the media list written to a CSV file.
#include <cmath>

#include "CsvList.h"
#include "CsvText.h"
#include "Totals.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/MediaList.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "hostlib/FileModes.h"
#include "hostlib/Wrappers.h"
#include "zqruntime/dialogs.h"
#include "zqruntime/picture.h"

namespace {

using namespace medialist;

constexpr std::string_view kCreating = "Creating Log File.";

// A field's stored bytes: a STRING with all of its blanks.
std::string_view Stored(const zq::rt::RecordRef& r, uint32_t field) {
  const zq::rt::Field* f = r.Layout().At(field);
  return r.Bytes().substr(f->offset, f->size);
}

// A CSTRING's text as the record reads it (up to its zero byte, without trailing blanks),
// without a copy.
std::string_view Text(const zq::rt::RecordRef& r, uint32_t field) {
  std::string_view text = Stored(r, field);
  text = text.substr(0, text.find('\0'));
  const size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

void AppendTotal(std::string& text, size_t line, std::string_view number, std::string_view second) {
  text += kTotalLead;
  text += kTotalLabels[line];
  text += ';';
  text += number;
  text += ';';
  text += second;
  text += kLineEnd;
}

// A size in plain number form; a whole number of bytes the quick way.
std::string SizeText(double size) {
  constexpr double kExact = 1e15;  // whole numbers below it have at most 15 digits
  if (size != std::floor(size) || std::fabs(size) >= kExact) return zq::rt::RealText(size);
  return zq::rt::WholeText(static_cast<int64_t>(size));
}

}  // namespace

namespace medialist {

std::string ListText() {
  const uint32_t dir = MFQF.DIR.Number(), dname = MFQF.DNAME.Number(), mname = MFQF.MNAME.Number(),
                 extension = MFQF.EXTENSION.Number(), scat = MFQF.SCAT.Number(), stype = MFQF.STYPE.Number(),
                 hrsize = MFQF.HRSIZE.Number();
  const zq::rt::RealField& rsize = MFQF.RSIZE;
  const uint32_t records = MFQ.Records();

  medialist::TotalsCounter counter;
  std::string text;
  text.reserve(static_cast<size_t>(records) * 160 + 512);
  text += kHeader;
  text += kLineEnd;
  int32_t shown = -1;
  for (uint32_t i = 1; i <= records; ++i) {
    const std::optional<zq::rt::Record> r = MFQ.Peek(i);
    if (!r) break;  // the list shrank meanwhile
    counter.Count(*r);
    AppendValue(text, GETUPDIR(Text(*r, dir)));
    for (uint32_t field : {dname, mname, extension}) {
      text += ';';
      AppendValue(text, Text(*r, field));
    }
    text += ';';
    text += Text(*r, scat);
    text += ';';
    text += Text(*r, stype);
    text += ';';
    text += SizeText(rsize(*r));
    text += ';';
    text += Stored(*r, hrsize);
    text += kLineEnd;
    const auto percent = static_cast<int32_t>(100.0 / records * i);
    if (percent != shown) UPDATESTATUS(shown = percent, kCreating);
  }
  text += kLineEnd;
  text += kLineEnd;
  MFSIZE = counter.Finish();

  using zq::rt::RealText;
  using zq::rt::WholeText;
  const MEDIATOTALS& t = MFSIZE;
  AppendTotal(text, 0, WholeText(t.CNTBD), RealText(t.TOTBSIZE));
  AppendTotal(text, 1, WholeText(t.CNTDD), RealText(t.TOTVSIZE));
  AppendTotal(text, 2, WholeText(t.CNTMF), RealText(t.TOTMSIZE));
  AppendTotal(text, 3, WholeText(t.CNTAF), RealText(t.TOTASIZE));
  AppendTotal(text, 4, WholeText(t.CNTUF), RealText(t.TOTUSIZE));
  AppendTotal(text, 5, RealText(t.DISKT), HRSIZE(t.DISKT));
  AppendTotal(text, 6, RealText(t.DISKU), HRSIZE(t.DISKU));
  AppendTotal(text, 7, RealText(t.DISKF), HRSIZE(t.DISKF));
  return text;
}

}  // namespace medialist

std::string MFEXPORT() {
  if (MFQ.Records() == 0) return "0";
  UPDATESTATUS(0, kCreating);
  std::string name = zq::rt::SaveFileDialog("Write CSV", ".csv", LWHANDLE);
  if (name.empty()) return {};
  name = WithCsvExtension(name);
  const std::string text = medialist::ListText();

  FILEIO file;
  const int32_t written = file.WRITEFILE(name, text, static_cast<int32_t>(text.size()), 0, kReadWrite, kNoSharing,
                                         OPEN_ALWAYS, kNormalWriteThrough);
  if (written <= 0) {
    ERRORMSG("Error Writing CSV.", "MFExport", "", static_cast<int16_t>(written), kOkOnly, 0, LWHANDLE);
    return name;
  }
  MSGBOX("CSV File written - Size " + zq::rt::WholeText(written) + " Bytes.", 0, 2000, LWHANDLE);
  UPDATESTATUS(-1, "");
  return name;
}
