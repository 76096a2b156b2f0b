// Little-endian reads from a byte span that fail instead of reading past its end.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace zq::sys {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::optional<uint16_t> U16(uint64_t at) const {
    if (!Has(at, 2)) return std::nullopt;
    return static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
  }
  std::optional<uint32_t> U32(uint64_t at) const {
    if (!Has(at, 4)) return std::nullopt;
    return static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8 |
           static_cast<uint32_t>(bytes_[at + 2]) << 16 | static_cast<uint32_t>(bytes_[at + 3]) << 24;
  }
  bool Has(uint64_t at, uint64_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
  std::span<const uint8_t> Slice(uint64_t at, uint64_t count) const {
    return Has(at, count) ? bytes_.subspan(at, count) : std::span<const uint8_t>();
  }
  uint64_t Size() const { return bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace zq::sys
