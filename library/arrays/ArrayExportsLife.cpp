// RA exports: life of an array and its delimiters.
#include "arrays/ArrayExport.h"
#include "zqvantor/arrays.h"

ZQV_API int32_t RACreate(void) {
  return zqv::Export(zqv::kMemoryExhausted, [] { return CVantor::App().CreateArray(); });
}

ZQV_API int32_t RADestroy(int32_t h) {
  return zqv::Export(zqv::kMemoryExhausted, [&] { return CVantor::App().DestroyArray(h); });
}

ZQV_API int32_t RASetDelim(int32_t h, int32_t length, const char* text) {
  return zqv::OnArray(h, [&](RevArray& array) {
    array.SetDelim(text, length);
    return 0;
  });
}
