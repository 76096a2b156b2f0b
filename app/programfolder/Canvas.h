// Drawing the program folder's pictures: gradients, frames, discs and block letters on a
// picture of the image library.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "Image.h"

namespace orvid::folder {

struct Colour {
  uint8_t r = 0, g = 0, b = 0;
};

class Canvas {
 public:
  Canvas(int32_t width, int32_t height);
  // Top colour to bottom colour.
  void Gradient(Colour top, Colour bottom);
  void Frame(int32_t inset, int32_t thickness, Colour colour);
  void Disc(int32_t cx, int32_t cy, int32_t radius, int32_t hole, Colour colour);
  // Block letters of cell size scale, centred on (cx, cy).
  void Text(std::string_view text, int32_t cx, int32_t cy, int32_t scale, Colour colour);
  // The largest cell size at which the text fits into width.
  static int32_t ScaleToFit(std::string_view text, int32_t width, int32_t most);
  const zq::gr::Image& Picture() const { return image_; }

 private:
  void Set(int32_t x, int32_t y, Colour colour);
  zq::gr::Image image_;
};

// Writes the picture as an AAI or a JPEG file; false when it cannot be written.
bool WriteAai(const Canvas& canvas, const std::string& file);
bool WriteJpeg(const Canvas& canvas, const std::string& file);

}  // namespace orvid::folder
