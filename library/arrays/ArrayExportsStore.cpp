// RA exports: storing texts and numbers at an address.
#include "arrays/ArrayExport.h"
#include "zqplatform/numbers.h"
#include "zqvantor/arrays.h"

namespace {

int32_t StoreResult(int32_t stored) { return stored == 0 ? 0 : zqv::kArrayBadPosition; }

int32_t StoreNumber(int32_t h, bool insert, const std::string& text, int32_t field, int32_t value,
                    int32_t subvalue) {
  return zqv::OnArray(h, [&](RevArray& array) {
    return StoreResult(insert ? array.Insert(field, value, subvalue, text)
                              : array.Set(field, value, subvalue, text));
  });
}

std::string ByteText(uint32_t byte) { return zq::text::FormatInteger(static_cast<uint8_t>(byte)); }

}  // namespace

ZQV_API int32_t RASetS(int32_t h, int32_t length, const char* text, int32_t field, int32_t value,
                       int32_t subvalue) {
  return zqv::OnArray(h, [&](RevArray& array) {
    return StoreResult(array.Set(field, value, subvalue, text, length));
  });
}

ZQV_API int32_t RAInsS(int32_t h, int32_t length, const char* text, int32_t field, int32_t value,
                       int32_t subvalue) {
  return zqv::OnArray(h, [&](RevArray& array) {
    return StoreResult(array.Insert(field, value, subvalue, text, length));
  });
}

ZQV_API int32_t RASetC(int32_t h, uint32_t byte, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, false, ByteText(byte), field, value, subvalue);
}

ZQV_API int32_t RASetL(int32_t h, int32_t number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, false, zq::text::FormatInteger(number), field, value, subvalue);
}

ZQV_API int32_t RASetU(int32_t h, uint32_t number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, false, zq::text::FormatUnsigned(number), field, value, subvalue);
}

ZQV_API int32_t RASetF(int32_t h, float number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, false, zq::text::FormatGeneral(number), field, value, subvalue);
}

ZQV_API int32_t RASetD(int32_t h, double number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, false, zq::text::FormatGeneral(number), field, value, subvalue);
}

ZQV_API int32_t RAInsC(int32_t h, uint32_t byte, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, true, ByteText(byte), field, value, subvalue);
}

ZQV_API int32_t RAInsL(int32_t h, int32_t number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, true, zq::text::FormatInteger(number), field, value, subvalue);
}

ZQV_API int32_t RAInsU(int32_t h, uint32_t number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, true, zq::text::FormatUnsigned(number), field, value, subvalue);
}

ZQV_API int32_t RAInsF(int32_t h, float number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, true, zq::text::FormatGeneral(number), field, value, subvalue);
}

ZQV_API int32_t RAInsD(int32_t h, double number, int32_t field, int32_t value, int32_t subvalue) {
  return StoreNumber(h, true, zq::text::FormatGeneral(number), field, value, subvalue);
}
