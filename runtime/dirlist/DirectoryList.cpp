#include <chrono>
#include <cstring>
#include <string>

#include "zqplatform/files.h"
#include "zqplatform/localtime.h"
#include "zqruntime/dirlist.h"

namespace zq::rt {
namespace {

constexpr int64_t kTicksPerHundredth = 100'000;
constexpr int64_t kTicksPerDay = 864'000'000'000;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDays = 134'774;

struct LocalStamp {
  int32_t date;  // yyyymmdd
  int32_t time;  // hundredths since midnight
};

LocalStamp StampOf(const FILETIME& utc) {
  FILETIME local{};
  FileTimeToLocalFileTime(&utc, &local);
  const int64_t ticks =
      static_cast<int64_t>((uint64_t{local.dwHighDateTime} << 32) | local.dwLowDateTime);
  const int64_t days = ticks / kTicksPerDay;
  const std::chrono::year_month_day ymd{
      std::chrono::sys_days{std::chrono::days{days - kEpochDays}}};
  const int32_t date = static_cast<int32_t>(
      int(ymd.year()) * 10000 + int(unsigned(ymd.month())) * 100 + int(unsigned(ymd.day())));
  return {date, static_cast<int32_t>((ticks % kTicksPerDay) / kTicksPerHundredth)};
}

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Open() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

std::string_view CText(const char* text, size_t size) {
  const void* end = std::memchr(text, 0, size);
  return {text, end ? static_cast<size_t>(static_cast<const char*>(end) - text) : size};
}

}  // namespace

const RecordLayout& DirectoryLayout() {
  static const RecordLayout layout{CSTRING("NAME", 256), CSTRING("SHORTNAME", 14),
                                   LONG("DATE"),         LONG("TIME"),
                                   REAL("SIZE"),         BYTE("ATTRIB"),
                                   BYTE("ISLINK")};
  return layout;
}

const DirectoryFields& DirectoryView() {
  static const DirectoryFields view;
  return view;
}

uint32_t ListDirectory(std::string_view pattern, Queue& queue) {
  queue.Free();
  const std::string text(pattern);
  WIN32_FIND_DATAA data{};
  FindHandle find(FindFirstFileA(text.c_str(), &data));
  if (!find.Open()) return 0;
  Record& entry = queue.Buffer();
  const RecordLayout& layout = queue.Layout();
  const TextField name(layout, "NAME"), shortName(layout, "SHORTNAME");
  const WholeField date(layout, "DATE"), time(layout, "TIME"), attributes(layout, "ATTRIB"),
      link(layout, "ISLINK");
  const RealField size(layout, "SIZE");
  do {
    entry.Clear();
    const std::string_view longName = CText(data.cFileName, sizeof data.cFileName);
    const std::string_view alternate =
        CText(data.cAlternateFileName, sizeof data.cAlternateFileName);
    const LocalStamp stamp = StampOf(data.ftLastWriteTime);
    name.Set(entry, longName);
    shortName.Set(entry, alternate.empty() ? longName : alternate);
    date.Set(entry, stamp.date);
    time.Set(entry, stamp.time);
    size.Set(entry, static_cast<double>((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow));
    attributes.Set(entry, data.dwFileAttributes & 0xFF);
    link.Set(entry, (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? 1 : 0);
    if (!queue.Add()) break;
  } while (FindNextFileA(find.Get(), &data));
  return queue.Records();
}

}  // namespace zq::rt
