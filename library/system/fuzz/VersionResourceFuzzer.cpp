// Any bytes as a program file, or as the version block inside a sound one: the reader must
// neither crash nor read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "system/VersionText.h"
#include "zqplatform/system.h"
#include "zqtest/PeImageBuilder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> bytes(data + 1, data + size);
  if (data[0] & 1) bytes = zqtest::pe::PeImage(bytes);
  if (auto resource = zq::sys::VersionResource::FromImage(bytes)) {
    zqv::VersionText(*resource, 0x0407, ";");
    resource->ChildKeys("\\StringFileInfo");
  }
  return 0;
}
