// UTF-8 sequences: validity, decoding and encoding (no overlongs, no surrogates, at most U+10FFFF).
#pragma once
#include <cstddef>

namespace zq::text::utf8 {

inline bool IsTrail(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the valid sequence at p (avail bytes readable), or 0 when none starts there.
inline std::size_t SequenceLength(const unsigned char* p, std::size_t avail) {
  if (avail == 0) return 0;
  unsigned char b0 = p[0];
  if (b0 < 0x80) return 1;
  if (b0 < 0xC2) return 0;
  if (b0 < 0xE0) return avail >= 2 && IsTrail(p[1]) ? 2 : 0;
  if (b0 < 0xF0) {
    if (avail < 3 || !IsTrail(p[2])) return 0;
    unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
    unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
    return p[1] >= lo && p[1] <= hi ? 3 : 0;
  }
  if (b0 < 0xF5) {
    if (avail < 4 || !IsTrail(p[2]) || !IsTrail(p[3])) return 0;
    unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
    unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
    return p[1] >= lo && p[1] <= hi ? 4 : 0;
  }
  return 0;
}

// The code point of a valid sequence of len bytes.
inline char32_t Decode(const unsigned char* p, std::size_t len) {
  switch (len) {
    case 1: return p[0];
    case 2: return (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    case 3: return (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    default:
      return (char32_t(p[0] & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
             (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
  }
}

inline std::size_t EncodedLength(char32_t cp) {
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

// Writes the sequence of cp (a scalar value) to out; returns its length.
inline std::size_t Encode(char32_t cp, unsigned char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<unsigned char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
    out[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
  out[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
  return 4;
}

}  // namespace zq::text::utf8
