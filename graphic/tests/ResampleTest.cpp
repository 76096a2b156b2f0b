// The filters: a flat picture stays flat at every size and filter, transparent pixels lend no
// colour to their neighbours, edges keep their colour.
#include <gtest/gtest.h>

#include "Image.h"
#include "resize/Resample.h"

namespace zq::gr {
namespace {

Image Filled(int32_t width, int32_t height, const uint8_t (&bgra)[4], bool alpha) {
  Image image = MakeImage(width, height, alpha);
  for (std::size_t i = 0; i < std::size_t(width) * height; ++i) std::copy(bgra, bgra + 4, &image.pixels[i * 4]);
  return image;
}

const Filter kFilters[] = {Filter::Bilinear, Filter::Fast, Filter::Bicubic};
const Size kSizes[] = {{1, 1}, {7, 3}, {50, 40}, {51, 400}, {333, 17}, {1000, 900}};

TEST(Resample, AFlatPictureStaysFlat) {
  const uint8_t colour[4] = {10, 200, 90, 128};
  const Image flat = Filled(97, 61, colour, true);
  for (Filter filter : kFilters) {
    for (Size size : kSizes) {
      const Image out = Resample(flat, size, filter);
      ASSERT_EQ(out.Dimensions(), size);
      for (std::size_t i = 0; i < std::size_t(size.width) * size.height * 4; ++i)
        ASSERT_EQ(out.pixels[i], colour[i % 4]) << int(filter) << " " << size.width << "x" << size.height << " at " << i;
    }
  }
}

TEST(Resample, TransparentPixelsLendNoColour) {
  // Opaque red on the left, fully transparent green on the right.
  const uint8_t red[4] = {0, 0, 255, 255};
  Image picture = Filled(64, 32, red, true);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 32; x < 64; ++x) {
      uint8_t* p = picture.Row(y) + x * 4;
      p[0] = 0, p[1] = 255, p[2] = 0, p[3] = 0;
    }
  for (Filter filter : kFilters) {
    for (Size size : {Size{21, 11}, Size{150, 70}}) {
      const Image out = Resample(picture, size, filter);
      for (std::size_t i = 0; i < std::size_t(size.width) * size.height; ++i) {
        const uint8_t* p = &out.pixels[i * 4];
        if (p[3] > 2) {
          EXPECT_LE(p[1], 2) << int(filter) << " pixel " << i << " alpha " << int(p[3]);
        }
      }
      EXPECT_EQ(out.pixels[3], 255);  // the left edge stays opaque
      EXPECT_EQ(out.pixels[std::size_t(size.width - 1) * 4 + 3], 0);  // the right edge transparent
    }
  }
}

TEST(Resample, AVeryTallShrinkKeepsItsColumns) {
  Image tall = MakeImage(3, 20000, false);
  for (int32_t y = 0; y < 20000; ++y)
    for (int32_t x = 0; x < 3; ++x) {
      uint8_t* p = tall.Row(y) + x * 4;
      p[0] = p[1] = p[2] = uint8_t(x * 100), p[3] = 255;
    }
  const Image out = Resample(tall, {3, 2}, Filter::Bicubic);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(out.Row(y)[x * 4], x * 100);
}

}  // namespace
}  // namespace zq::gr
