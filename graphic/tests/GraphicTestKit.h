// Pictures for the image library's tests: made in memory, written with the library's own
// writers or by ImageMagick, and read back by ImageMagick as an independent reader.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "ZQ_Graphic.h"
#include "codecs/Codecs.h"

namespace zq::gr::test {

// A picture with smooth gradients, some edges and (when alpha) a horizontal alpha ramp.
inline Image Pattern(int32_t width, int32_t height, bool alpha) {
  Image image = MakeImage(width, height, alpha);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* p = image.Row(y);
    for (int32_t x = 0; x < width; ++x, p += 4) {
      const double fx = double(x) / width, fy = double(y) / height;
      p[0] = static_cast<uint8_t>(127 + 100 * std::sin(fx * 9 + fy * 3));
      p[1] = static_cast<uint8_t>(255 * fy);
      p[2] = ((x / 37 + y / 41) % 2) ? 220 : static_cast<uint8_t>(60 + 120 * fx);
      p[3] = alpha ? static_cast<uint8_t>(x * 255 / std::max(1, width - 1)) : 255;
    }
  }
  return image;
}

inline bool WriteWith(Writer writer, const Image& image, const std::filesystem::path& to) {
  return WriteFileWith(writer, image, to.string());
}

inline std::vector<uint8_t> Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes the bytes as the file's whole content.
inline void PutBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The offset of the first byte after a JPEG's first start-of-scan segment; 0 when it has none.
inline std::size_t ScanData(const std::vector<uint8_t>& jpeg) {
  for (std::size_t i = 2; i + 3 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) return i + 2 + (jpeg[i + 2] << 8 | jpeg[i + 3]);
  return 0;
}

inline bool RunCommand(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

inline std::string Quote(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// ImageMagick's reading of a file: width, height and R, G, B, A bytes.
struct Rgba {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
};
inline std::optional<Rgba> ReadByImageMagick(const std::filesystem::path& file, const std::string& options = "") {
  const std::filesystem::path raw = file.string() + ".rgba", size = file.string() + ".size";
  if (!RunCommand("convert " + Quote(file) + " " + options + " -print '%w %h' -depth 8 rgba:" + Quote(raw) + " > " +
           Quote(size)))
    return std::nullopt;
  Rgba rgba;
  std::ifstream(size) >> rgba.width >> rgba.height;
  rgba.pixels = Bytes(raw);
  if (rgba.pixels.size() != std::size_t(rgba.width) * rgba.height * 4) return std::nullopt;
  return rgba;
}

// The library's decoded picture as R, G, B, A.
inline std::vector<uint8_t> AsRgba(const Image& image) {
  std::vector<uint8_t> out(std::size_t(image.width) * image.height * 4);
  const uint8_t* p = image.pixels.get();
  for (std::size_t i = 0; i < out.size(); i += 4) {
    out[i] = p[i + 2];
    out[i + 1] = p[i + 1];
    out[i + 2] = p[i];
    out[i + 3] = p[i + 3];
  }
  return out;
}

inline double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += double(a[i] - b[i]) * (a[i] - b[i]);
  const double mse = sum / double(a.size());
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

inline int32_t Convert(const std::filesystem::path& from, const std::filesystem::path& to, uint8_t mode,
                       int32_t width, int32_t height, uint8_t filter = 2) {
  const std::string a = from.string(), b = to.string();
  return Gr_Convert(int32_t(a.size()), a.data(), int32_t(b.size()), b.data(), mode, width, height, filter);
}

// The size in an AAI file's header.
inline std::optional<Size> AaiSize(const std::filesystem::path& file) {
  std::vector<uint8_t> bytes = Bytes(file);
  if (bytes.size() < 8) return std::nullopt;
  return Size{int32_t(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24),
              int32_t(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24)};
}

}  // namespace zq::gr::test
