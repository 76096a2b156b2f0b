#include "Canvas.h"

#include <memory>

#include "Glyphs.h"
#include "codecs/Codecs.h"

namespace orvid::folder {

Canvas::Canvas(int32_t width, int32_t height) {
  image_.width = width;
  image_.height = height;
  image_.pixels = std::make_unique<uint8_t[]>(image_.Stride() * static_cast<size_t>(height));
}

void Canvas::Set(int32_t x, int32_t y, Colour c) {
  if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
  uint8_t* p = image_.Row(y) + static_cast<size_t>(x) * 4;
  p[0] = c.b;
  p[1] = c.g;
  p[2] = c.r;
  p[3] = 255;
}

void Canvas::Gradient(Colour top, Colour bottom) {
  auto mix = [](uint8_t a, uint8_t b, int32_t i, int32_t n) { return static_cast<uint8_t>(a + (b - a) * i / n); };
  for (int32_t y = 0; y < image_.height; ++y) {
    Colour c{mix(top.r, bottom.r, y, image_.height), mix(top.g, bottom.g, y, image_.height),
             mix(top.b, bottom.b, y, image_.height)};
    for (int32_t x = 0; x < image_.width; ++x) Set(x, y, c);
  }
}

void Canvas::Frame(int32_t inset, int32_t thickness, Colour colour) {
  for (int32_t y = inset; y < image_.height - inset; ++y) {
    for (int32_t x = inset; x < image_.width - inset; ++x) {
      bool edge = x < inset + thickness || y < inset + thickness || x >= image_.width - inset - thickness ||
                  y >= image_.height - inset - thickness;
      if (edge) Set(x, y, colour);
    }
  }
}

void Canvas::Disc(int32_t cx, int32_t cy, int32_t radius, int32_t hole, Colour colour) {
  for (int32_t y = -radius; y <= radius; ++y) {
    for (int32_t x = -radius; x <= radius; ++x) {
      int32_t d = x * x + y * y;
      if (d <= radius * radius && d >= hole * hole) Set(cx + x, cy + y, colour);
    }
  }
}

int32_t Canvas::ScaleToFit(std::string_view text, int32_t width, int32_t most) {
  int32_t cells = static_cast<int32_t>(text.size()) * (kGlyphWidth + 1);
  int32_t scale = cells > 0 ? width / cells : most;
  return scale < 1 ? 1 : (scale > most ? most : scale);
}

void Canvas::Text(std::string_view text, int32_t cx, int32_t cy, int32_t scale, Colour colour) {
  int32_t advance = (kGlyphWidth + 1) * scale;
  int32_t left = cx - (static_cast<int32_t>(text.size()) * advance - scale) / 2;
  int32_t top = cy - kGlyphHeight * scale / 2;
  for (size_t i = 0; i < text.size(); ++i) {
    auto rows = Glyph(text[i]);
    for (int32_t gy = 0; gy < kGlyphHeight; ++gy) {
      for (int32_t gx = 0; gx < kGlyphWidth; ++gx) {
        if ((rows[gy] >> (kGlyphWidth - 1 - gx) & 1) == 0) continue;
        for (int32_t y = 0; y < scale; ++y) {
          for (int32_t x = 0; x < scale; ++x) {
            Set(left + static_cast<int32_t>(i) * advance + gx * scale + x, top + gy * scale + y, colour);
          }
        }
      }
    }
  }
}

bool WriteAai(const Canvas& canvas, const std::string& file) {
  return zq::gr::WriteFileWith(zq::gr::WriteAai, canvas.Picture(), file);
}
bool WriteJpeg(const Canvas& canvas, const std::string& file) {
  return zq::gr::WriteFileWith(zq::gr::WriteJpeg, canvas.Picture(), file);
}

}  // namespace orvid::folder
