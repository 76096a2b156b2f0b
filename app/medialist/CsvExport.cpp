// MFEXPORT: the media list written to a CSV file.
#include "CsvText.h"
#include "FileFlags.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/MediaList.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
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

void AppendTotal(std::string& text, size_t line, std::string_view number, std::string_view second) {
  text += kTotalLead;
  text += kTotalLabels[line];
  text += ';';
  text += number;
  text += ';';
  text += second;
  text += kLineEnd;
}

// The whole file: header, one line per record with progress, two empty lines, the totals.
std::string ListText() {
  const zq::rt::RecordLayout& layout = MFQ.Layout();
  const zq::rt::TextField dir{layout, "DIR"}, dname{layout, "DNAME"}, mname{layout, "MNAME"},
      extension{layout, "EXTENSION"}, scat{layout, "SCAT"}, stype{layout, "STYPE"};
  const zq::rt::RealField rsize{layout, "RSIZE"};
  const uint32_t hrsize = layout.Find("HRSIZE");
  const uint32_t records = MFQ.Records();

  std::string text;
  text.reserve(static_cast<size_t>(records) * 160 + 512);
  text += kHeader;
  text += kLineEnd;
  int32_t shown = -1;
  for (uint32_t i = 1; i <= records; ++i) {
    const std::optional<zq::rt::Record> r = MFQ.Peek(i);
    if (!r) break;  // the list shrank meanwhile
    for (const std::string& value : {GETUPDIR(dir(*r)), dname(*r), mname(*r), extension(*r)}) {
      AppendValue(text, value);
      text += ';';
    }
    text += scat(*r);
    text += ';';
    text += stype(*r);
    text += ';';
    text += zq::rt::RealText(rsize(*r));
    text += ';';
    text += Stored(*r, hrsize);
    text += kLineEnd;
    const auto percent = static_cast<int32_t>(100.0 / records * i);
    if (percent != shown) UPDATESTATUS(shown = percent, kCreating);
  }
  text += kLineEnd;
  text += kLineEnd;

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

}  // namespace

std::string MFEXPORT() {
  if (MFQ.Records() == 0) return "0";
  UPDATESTATUS(0, kCreating);
  std::string name = zq::rt::SaveFileDialog("Write CSV", ".csv", LWHANDLE);
  if (name.empty()) return {};
  name = WithCsvExtension(name);
  MFTOTALS();
  const std::string text = ListText();

  FILEIO file;
  const int32_t written = file.WRITEFILE(name, text, static_cast<int32_t>(text.size()), 0, kReadWrite, kNoSharing,
                                         kOpenAlways, kNormalWriteThrough);
  if (written <= 0) {
    ERRORMSG("Error Writing CSV.", "MFExport", "", static_cast<int16_t>(written), 99, 0, LWHANDLE);
    return name;
  }
  MSGBOX("CSV File written - Size " + zq::rt::WholeText(written) + " Bytes.", 0, 2000, LWHANDLE);
  UPDATESTATUS(-1, "");
  return name;
}
