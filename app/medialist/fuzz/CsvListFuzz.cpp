// Fuzzes the media list's CSV reader: any text reads into the list and its totals, which then
// write and read again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "CsvList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  medialist::ReadList(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string written = medialist::ListText();
  medialist::ReadList(written);
  return 0;
}
