// RA exports: searching a level of an array.
#include "arrays/ArrayExport.h"
#include "zqvantor/arrays.h"

namespace {

int32_t Locate(int32_t h, int32_t length, const char* text, int32_t field, int32_t value,
               bool noCase) {
  return zqv::Export(zqv::kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    RevArray* array = zqv::FindArray(h, &code);
    if (!array) return code;
    std::string_view wanted = zqv::HostText(length, text);
    return noCase ? array->LocateNC(wanted, field, value) : array->Locate(wanted, field, value);
  });
}

}  // namespace

ZQV_API int32_t RALocate(int32_t h, int32_t length, const char* text, int32_t field, int32_t value) {
  return Locate(h, length, text, field, value, false);
}

ZQV_API int32_t RALocateNC(int32_t h, int32_t length, const char* text, int32_t field,
                           int32_t value) {
  return Locate(h, length, text, field, value, true);
}
