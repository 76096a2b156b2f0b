// RA exports: deleting and counting elements.
#include "arrays/ArrayExport.h"
#include "zqvantor/arrays.h"

ZQV_API int32_t RADel(int32_t h, int32_t field, int32_t value, int32_t subvalue) {
  return zqv::OnArray(h, [&](RevArray& array) {
    array.Del(field, value, subvalue);
    return 0;
  });
}

ZQV_API int32_t RAFieldCount(int32_t h) {
  return zqv::OnArray(h, [](RevArray& array) { return array.FieldCount(); });
}

ZQV_API int32_t RAValueCount(int32_t h, int32_t field) {
  return zqv::OnArray(h, [&](RevArray& array) { return array.ValueCount(field); });
}

ZQV_API int32_t RASValueCount(int32_t h, int32_t field, int32_t value) {
  return zqv::OnArray(h, [&](RevArray& array) { return array.SubValueCount(field, value); });
}
