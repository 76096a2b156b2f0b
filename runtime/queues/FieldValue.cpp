#include "queues/FieldValue.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "zqplatform/numbers.h"
#include "zqruntime/picture.h"

namespace zq::rt::field {
namespace {

template <class T>
T Load(const std::byte* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <class T>
void Store(std::byte* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

std::string_view Trim(std::string_view t) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return t;
}

// A whole number kept modulo 2^64, as the narrower fields keep their low bits.
int64_t WrapReal(double v) {
  if (!std::isfinite(v)) return 0;
  v = std::trunc(v);
  if (v >= -9223372036854775808.0 && v < 9223372036854775808.0) return static_cast<int64_t>(v);
  constexpr double kTwo64 = 18446744073709551616.0;
  v = std::fmod(v, kTwo64);
  if (v < 0) v += kTwo64;
  if (v >= kTwo64) return 0;
  return static_cast<int64_t>(static_cast<uint64_t>(v));
}

}  // namespace

double ParseReal(std::string_view text) {
  text = Trim(text);
  const zq::text::RealScan scan = zq::text::ScanReal(text, {.exponent = false});
  if (scan.length != text.size() || !std::isfinite(scan.value)) return 0;
  return scan.value;
}

int64_t ParseWhole(std::string_view text) {
  if (const auto whole = zq::text::ReadWholeInteger(Trim(text))) return *whole;
  return WrapReal(ParseReal(text));
}

std::string_view ClippedText(const Field& f, const std::byte* p) {
  const char* c = reinterpret_cast<const char*>(p);
  size_t n = f.size;
  if (f.kind == FieldKind::CString) {
    const void* end = std::memchr(c, 0, f.size);
    if (end) n = static_cast<size_t>(static_cast<const char*>(end) - c);
  }
  while (n > 0 && c[n - 1] == ' ') --n;
  return {c, n};
}

std::string ReadText(const Field& f, const std::byte* p) {
  switch (f.kind) {
    case FieldKind::String:
    case FieldKind::CString:
      return std::string(ClippedText(f, p));
    case FieldKind::Group:
      return std::string(reinterpret_cast<const char*>(p), f.size);
    case FieldKind::Real:
      return RealText(Load<double>(p));
    case FieldKind::Reference:
      return WholeText(static_cast<int64_t>(reinterpret_cast<uintptr_t>(Load<void*>(p))));
    default:
      return WholeText(ReadWhole(f, p));
  }
}

int64_t ReadWhole(const Field& f, const std::byte* p) {
  switch (f.kind) {
    case FieldKind::Byte:
      return Load<uint8_t>(p);
    case FieldKind::Short:
      return Load<int16_t>(p);
    case FieldKind::Long:
      return Load<int32_t>(p);
    case FieldKind::ULong:
      return Load<uint32_t>(p);
    case FieldKind::Real:
      return WrapReal(Load<double>(p));
    case FieldKind::Reference:
      return static_cast<int64_t>(reinterpret_cast<uintptr_t>(Load<void*>(p)));
    default:
      return ParseWhole(ReadText(f, p));
  }
}

double ReadReal(const Field& f, const std::byte* p) {
  if (f.kind == FieldKind::Real) return Load<double>(p);
  if (f.IsText() || f.IsGroup()) return ParseReal(ReadText(f, p));
  return static_cast<double>(ReadWhole(f, p));
}

void WriteText(const Field& f, std::byte* p, std::string_view text) {
  switch (f.kind) {
    case FieldKind::String: {
      const size_t n = std::min<size_t>(text.size(), f.size);
      if (n > 0) std::memcpy(p, text.data(), n);  // an empty view may have no data at all
      std::memset(p + n, ' ', f.size - n);
      return;
    }
    case FieldKind::CString:
    case FieldKind::Group: {
      const size_t room = f.kind == FieldKind::CString ? f.size - 1 : f.size;
      const size_t n = std::min<size_t>(text.size(), room);
      if (n > 0) std::memcpy(p, text.data(), n);
      std::memset(p + n, 0, f.size - n);
      return;
    }
    case FieldKind::Real:
      Store(p, ParseReal(text));
      return;
    default:
      WriteWhole(f, p, ParseWhole(text));
      return;
  }
}

void WriteWhole(const Field& f, std::byte* p, int64_t value) {
  switch (f.kind) {
    case FieldKind::Byte:
      Store(p, static_cast<uint8_t>(value));
      return;
    case FieldKind::Short:
      Store(p, static_cast<int16_t>(static_cast<uint16_t>(value)));
      return;
    case FieldKind::Long:
      Store(p, static_cast<int32_t>(static_cast<uint32_t>(value)));
      return;
    case FieldKind::ULong:
      Store(p, static_cast<uint32_t>(value));
      return;
    case FieldKind::Real:
      Store(p, static_cast<double>(value));
      return;
    case FieldKind::Reference:
      Store(p, reinterpret_cast<void*>(static_cast<uintptr_t>(value)));
      return;
    default:
      WriteText(f, p, WholeText(value));
      return;
  }
}

void WriteReal(const Field& f, std::byte* p, double value) {
  if (f.kind == FieldKind::Real) {
    Store(p, std::isfinite(value) ? value : 0.0);
  } else if (f.IsText() || f.IsGroup()) {
    WriteText(f, p, RealText(value));
  } else {
    WriteWhole(f, p, WrapReal(value));
  }
}

}  // namespace zq::rt::field
