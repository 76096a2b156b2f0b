// Fuzzes the file reader: any file content loads as the text up to its first NUL byte, with
// any count and offset, and what loads saves back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "arrays/RevArray.h"

namespace {

constexpr uint32_t kAccess = 0xC0000000, kOpenAlways = 4, kNormal = 0x80;

// A file of this process's own in the temporary folder, removed at exit.
struct FuzzFileName {
  FuzzFileName()
      : path((std::filesystem::temp_directory_path() /
              ("array_file_fuzz_" + std::to_string(std::random_device{}()) + ".dat"))
                 .string()) {}
  ~FuzzFileName() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  const std::string path;
};

const std::string& FuzzFile() {
  static const FuzzFileName name;
  return name.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // The first four bytes give a count and an offset (small, possibly negative).
  if (size < 4) return 0;
  int16_t count, offset;
  std::memcpy(&count, data, 2);
  std::memcpy(&offset, data + 2, 2);
  std::string_view content(reinterpret_cast<const char*>(data) + 4, size - 4);
  {
    std::ofstream out(FuzzFile(), std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }

  RevArray array;
  array.Set(0, 0, 0, "unchanged");
  int32_t read = array.ReadFromFile(FuzzFile().c_str(), count, offset, kAccess, 0, kOpenAlways, kNormal);
  if (read < 0) {
    if (array.Get(0, 0, 0) != "unchanged") std::abort();
    return 0;
  }
  if (static_cast<std::size_t>(read) > content.size()) std::abort();
  std::string loaded(array.Get(0, 0, 0));
  if (loaded.find('\0') != std::string::npos) std::abort();

  // What loaded saves back as exactly its text.
  if (!loaded.empty()) {
    if (array.WriteToFile(FuzzFile().c_str(), 0, 0, kAccess, 0, kOpenAlways, kNormal) !=
        static_cast<int32_t>(loaded.size())) {
      std::abort();
    }
    RevArray back;
    if (back.ReadFromFile(FuzzFile().c_str(), 0, 0, kAccess, 0, kOpenAlways, kNormal) !=
            static_cast<int32_t>(loaded.size()) ||
        back.Get(0, 0, 0) != loaded) {
      std::abort();
    }
  }
  return 0;
}
