// Feeds arbitrary bytes to one reader (chosen at build time) and fits what it decodes; any
// crash, leak or undefined behaviour is a finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "Load.h"
#include "codecs/Codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zq::gr;
  std::span<const uint8_t> bytes(data, size);
  Decoded decoded;
#if defined(ZQ_FUZZ_READER_jpeg)
  decoded = ReadJpeg(bytes, [](int32_t w, int32_t h) { return Size{w / 3 + 1, h / 3 + 1}; });
#elif defined(ZQ_FUZZ_READER_png)
  decoded = ReadPng(bytes);
#elif defined(ZQ_FUZZ_READER_bmp)
  decoded = ReadBmp(bytes);
#else
  decoded = ReadAai(bytes);
#endif
  if (decoded.status == Status::Ok && decoded.image.width * int64_t{decoded.image.height} < 4'000'000)
    (void)DecodeFitted(bytes, "aai", 3 | 4, {37, 23}, Filter::Bicubic);
  return 0;
}
