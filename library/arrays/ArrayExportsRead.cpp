// RA exports: reading the addressed part as text or as a number.
#include <string>

#include "arrays/ArrayExport.h"
#include "zqplatform/numbers.h"
#include "zqvantor/arrays.h"

namespace {

// A typed getter: the reading of the addressed text, the code word 0 after success, -2 for a
// bad handle and -1 when memory is exhausted.
template <class R, class Read>
R GetNumber(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue, Read read) {
  zqv::SetCode(err, zqv::kMemoryExhausted);
  return zqv::Export(R{}, [&]() -> R {
    RevArray* array = zqv::FindArray(h, nullptr);
    if (!array) {
      zqv::SetCode(err, zqv::kArrayBadHandle);
      return R{};
    }
    R number = read(array->Get(field, value, subvalue));
    zqv::SetCode(err, 0);
    return number;
  });
}

// The reals are stored as "%g" writes them, infinity and NaN included: they read back.
double ReadStoredReal(std::string_view text) { return zq::text::ReadReal(text, {.specials = true}); }

}  // namespace

ZQV_API BSTR RAGet(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue) {
  return zqv::ExportText(err, [&]() -> BSTR {
    RevArray* array = zqv::FindArray(h, nullptr);
    if (!array) return zqv::Fail(err, zqv::kArrayBadHandle);
    return zqv::TextResult(array->Get(field, value, subvalue));
  });
}

ZQV_API int32_t RAGetL(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue) {
  return GetNumber<int32_t>(h, err, field, value, subvalue, zq::text::ReadLongWrapped);
}

ZQV_API int32_t RAGetU(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue) {
  return RAGetL(h, err, field, value, subvalue);
}

ZQV_API uint8_t RAGetB(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue) {
  return GetNumber<uint8_t>(h, err, field, value, subvalue, [](std::string_view text) {
    return static_cast<uint8_t>(zq::text::ReadLongWrapped(text));
  });
}

ZQV_API float RAGetF(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue) {
  return GetNumber<float>(h, err, field, value, subvalue, [](std::string_view text) {
    return static_cast<float>(ReadStoredReal(text));
  });
}

ZQV_API double RAGetD(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue) {
  return GetNumber<double>(h, err, field, value, subvalue, ReadStoredReal);
}
