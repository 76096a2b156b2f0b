// XS exports: reading a whole file into a string object and writing one from it.
#include "strings/XSExport.h"
#include "zqvantor/strings.h"

using namespace zqv;
using namespace zqv::xs;

namespace {

constexpr int32_t kNullFileName = -6;

// A null name is refused before the handle is looked at.
template <class Transfer>
int32_t OnFile(int32_t h, int32_t length, const char* name, Transfer&& transfer) {
  if (!name) return Export(kNullFileName, [] { return kNullFileName; });
  std::string_view path = HostText(length, name);
  return OnString(h, [&](XSObject& s) { return transfer(s, path); });
}

}  // namespace

ZQV_API int32_t XSReadFromFile(int32_t h, int32_t length, const char* name, int32_t count, int32_t offset,
                               uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags) {
  return OnFile(h, length, name, [&](XSObject& s, std::string_view path) {
    return s.ReadFromFile(path, count, offset, access, share, disposition, flags);
  });
}

ZQV_API int32_t XSWriteToFile(int32_t h, int32_t length, const char* name, int32_t count, int32_t offset,
                              uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags) {
  return OnFile(h, length, name, [&](XSObject& s, std::string_view path) {
    return s.WriteToFile(path, count, offset, access, share, disposition, flags);
  });
}
