#include <fstream>

#include "codecs/Codecs.h"

namespace zq::gr {

bool WriteFileWith(Writer writer, const Image& image, const std::string& path) {
  Bytes bytes;
  if (!writer(image, bytes)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace zq::gr
