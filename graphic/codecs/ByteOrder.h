// Little-endian fields of the BMP and AAI headers, big-endian ones of PNG's.
#pragma once
#include <cstdint>
#include <span>

namespace zq::gr {

inline uint32_t Le16(std::span<const uint8_t> b, std::size_t at) {
  return static_cast<uint32_t>(b[at] | b[at + 1] << 8);
}
inline uint32_t Le32(std::span<const uint8_t> b, std::size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}
inline uint32_t Be32(std::span<const uint8_t> b, std::size_t at) {
  return static_cast<uint32_t>(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]);
}
inline void PutLe16(uint8_t* to, uint32_t v) {
  to[0] = static_cast<uint8_t>(v);
  to[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLe32(uint8_t* to, uint32_t v) {
  PutLe16(to, v & 0xFFFF);
  PutLe16(to + 2, v >> 16);
}

}  // namespace zq::gr
