// MFIMPORT: the media list and its totals read from a CSV file.
#include <algorithm>
#include <cstdint>

#include "CsvList.h"
#include "CsvText.h"
#include "app/Text.h"
#include "app/Helpers.h"
#include "app/MediaList.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "hostlib/FileModes.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/numbers.h"
#include "zqruntime/dialogs.h"

namespace {

using namespace medialist;

constexpr int32_t kNotEnoughMemory = -8;  // a file larger than a text can hold
constexpr double kLargestText = 2147483647.0;

// The folder of a record: the Path column and the Folder column, or the Path column alone
// where the Folder column names that drive or share root itself.
std::string FolderOf(std::string_view path, std::string_view folder) {
  std::string parent = CHECKPATH(path);
  const bool mayBeRoot = parent.size() <= 3 || parent.starts_with("\\\\");
  if (mayBeRoot && GETUPDIR(parent) == parent && folder == GETSUBDIR(parent)) return parent;
  return parent.append(folder);
}

std::string_view ValueAt(const std::vector<std::string>& values, size_t n) {
  return n < values.size() ? std::string_view(values[n]) : std::string_view();
}

void AddRecord(const std::vector<std::string>& values) {
  const MFQFIELDS& f = MFQF;
  zq::rt::Record& r = MFQ.Buffer();
  r.Clear();
  f.DIR.Set(r, FolderOf(ValueAt(values, 0), ValueAt(values, 1)));
  f.DNAME.Set(r, ValueAt(values, 1));
  f.MNAME.Set(r, ValueAt(values, 2));
  f.EXTENSION.Set(r, ValueAt(values, 3));
  f.SCAT.Set(r, ValueAt(values, 4));
  f.STYPE.Set(r, ValueAt(values, 5));
  f.RSIZE.SetText(r, ValueAt(values, 6));
  f.HRSIZE.Set(r, ValueAt(values, 7));
  f.MTYPE.Set(r, KindOfType(ValueAt(values, 5)));
  MFQ.Add();
}

// The eight total lines from line first on, as far as the text has them. The file has no
// line for all kinds together: those are the sums of the five kinds read.
void ReadTotals(const std::vector<TextLine>& lines, size_t first) {
  if (first >= lines.size()) return;
  MEDIATOTALS& t = MFSIZE;
  const std::pair<int32_t*, double*> kinds[] = {{&t.CNTBD, &t.TOTBSIZE},
                                                {&t.CNTDD, &t.TOTVSIZE},
                                                {&t.CNTMF, &t.TOTMSIZE},
                                                {&t.CNTAF, &t.TOTASIZE},
                                                {&t.CNTUF, &t.TOTUSIZE}};
  double* const disk[] = {&t.DISKT, &t.DISKU, &t.DISKF};
  for (size_t n = 0; n < kTotalLabels.size() && first + n < lines.size(); ++n) {
    const std::vector<std::string> values = SplitValues(lines[first + n].text);
    if (n < std::size(kinds)) {
      *kinds[n].first = zq::text::ReadLong(ValueAt(values, kTotalNumber));
      *kinds[n].second = zq::text::ReadReal(ValueAt(values, kTotalSecond));
    } else {
      *disk[n - std::size(kinds)] = zq::text::ReadReal(ValueAt(values, kTotalNumber));
    }
  }
  // A hand-edited file may hold counts whose sum no LONG holds: the total stops at the limit.
  const int64_t count = int64_t{t.CNTBD} + t.CNTDD + t.CNTMF + t.CNTAF + t.CNTUF;
  t.CNTTF = static_cast<int32_t>(std::clamp<int64_t>(count, INT32_MIN, INT32_MAX));
  t.TOTTSIZE = t.TOTBSIZE + t.TOTVSIZE + t.TOTMSIZE + t.TOTASIZE + t.TOTUSIZE;
}

}  // namespace

namespace medialist {

void ReadList(std::string_view text) {
  const std::vector<TextLine> lines = SplitLines(text);
  MFQ.Free();
  size_t at = 1;
  for (; at < lines.size(); ++at) {
    const std::vector<std::string> values = SplitValues(lines[at].text);
    if (values.front().empty()) break;
    AddRecord(values);
  }
  while (at < lines.size() && lines[at].text.empty()) ++at;
  ReadTotals(lines, at);
}

}  // namespace medialist

std::string MFIMPORT() {
  std::string name = zq::rt::OpenFileDialog("Read CSV", ".csv", LWHANDLE);
  if (name.empty()) return {};
  name = WithCsvExtension(name);

  FILEIO file;
  const double size = file.GETFILESIZE(name);
  int32_t result = size < 0 ? static_cast<int32_t>(size) : size > kLargestText ? kNotEnoughMemory : 0;
  std::string text;
  if (result == 0 && size > 0) {
    text.assign(static_cast<size_t>(size), '\0');
    result = file.READFILE(name, text, static_cast<int32_t>(text.size()), 0, kReadWrite, kNoSharing, OPEN_EXISTING,
                           kNormalWriteThrough);
  }
  if (result < 0) {
    ERRORMSG("Error Reading CSV.", "MFImport", "", static_cast<int16_t>(result), kOkOnly, 0, LWHANDLE);
    return name;
  }
  text.resize(static_cast<size_t>(result));
  medialist::ReadList(text);
  return name;
}
