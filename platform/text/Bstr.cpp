#include <cstdlib>
#include <cstring>

#include "zqplatform/oleauto.h"

namespace {
// The byte count before the first unit must fit in 32 bits.
constexpr uint32_t kMostUnits = 0x7FFFFFFE;

char* BlockOf(BSTR bstr) { return reinterpret_cast<char*>(bstr) - sizeof(uint32_t); }
}  // namespace

extern "C" {

BSTR SysAllocStringLen(const OLECHAR* src, uint32_t len) {
  if (len > kMostUnits) return nullptr;
  std::size_t bytes = std::size_t(len) * sizeof(OLECHAR);
  char* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  uint32_t prefix = static_cast<uint32_t>(bytes);
  std::memcpy(block, &prefix, sizeof prefix);
  BSTR text = reinterpret_cast<BSTR>(block + sizeof(uint32_t));
  if (src) std::memcpy(text, src, bytes);
  else std::memset(text, 0, bytes);
  text[len] = 0;
  return text;
}

void SysFreeString(BSTR bstr) {
  if (bstr) std::free(BlockOf(bstr));
}

uint32_t SysStringByteLen(BSTR bstr) {
  if (!bstr) return 0;
  uint32_t prefix;
  std::memcpy(&prefix, BlockOf(bstr), sizeof prefix);
  return prefix;
}

uint32_t SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

}  // extern "C"
