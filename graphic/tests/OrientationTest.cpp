// EXIF orientation: a JPEG whose APP1 segment says how it was turned is decoded upright, also
// when it is decoded scaled.
#include <gtest/gtest.h>

#include "GraphicTestKit.h"
#include "Load.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

// 80 x 40: red left half, blue right half, a green band along the top.
Image Marked() {
  Image image = MakeImage(80, 40, false);
  for (int32_t y = 0; y < 40; ++y) {
    uint8_t* p = image.Row(y);
    for (int32_t x = 0; x < 80; ++x, p += 4) {
      const bool top = y < 8, left = x < 40;
      p[0] = !top && !left ? 255 : 0;
      p[1] = top ? 255 : 0;
      p[2] = !top && left ? 255 : 0;
      p[3] = 255;
    }
  }
  return image;
}

// The JPEG with an APP1 segment holding one IFD entry: orientation (little- or big-endian).
std::vector<uint8_t> WithOrientation(std::vector<uint8_t> jpeg, int orientation, bool little) {
  auto u16 = [&](uint32_t v) {
    return little ? std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8)} : std::vector<uint8_t>{uint8_t(v >> 8), uint8_t(v)};
  };
  std::vector<uint8_t> tiff = little ? std::vector<uint8_t>{'I', 'I'} : std::vector<uint8_t>{'M', 'M'};
  for (auto part : {u16(42), little ? std::vector<uint8_t>{8, 0, 0, 0} : std::vector<uint8_t>{0, 0, 0, 8}, u16(1),
                    u16(0x0112), u16(3), little ? std::vector<uint8_t>{1, 0, 0, 0} : std::vector<uint8_t>{0, 0, 0, 1},
                    u16(uint32_t(orientation)), u16(0), std::vector<uint8_t>{0, 0, 0, 0}})
    tiff.insert(tiff.end(), part.begin(), part.end());
  std::vector<uint8_t> segment = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
  segment.insert(segment.end(), tiff.begin(), tiff.end());
  segment[2] = uint8_t((segment.size() - 2) >> 8);
  segment[3] = uint8_t(segment.size() - 2);
  jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
  return jpeg;
}

// The colour near a corner: 'r', 'g', 'b' or '?'.
char ColourAt(const Image& image, double fx, double fy) {
  const uint8_t* p = image.Row(int32_t(fy * (image.height - 1))) + 4 * int32_t(fx * (image.width - 1));
  if (p[2] > 200 && p[1] < 60 && p[0] < 60) return 'r';
  if (p[1] > 200 && p[2] < 60 && p[0] < 60) return 'g';
  if (p[0] > 200 && p[1] < 60 && p[2] < 60) return 'b';
  return '?';
}

TEST(ExifOrientation, JpegsAreDecodedUpright) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WriteJpeg, Marked(), folder / "plain.jpg"));
  const std::vector<uint8_t> plain = Bytes(folder / "plain.jpg");
  struct Case {
    int orientation;
    Size size;
    std::string corners;  // top left, top right, bottom left, bottom right (inset)
  };
  const Case cases[] = {
      {1, {80, 40}, "ggrb"}, {2, {80, 40}, "ggbr"}, {3, {80, 40}, "brgg"}, {4, {80, 40}, "rbgg"},
      {5, {40, 80}, "grgb"}, {6, {40, 80}, "rgbg"}, {7, {40, 80}, "bgrg"}, {8, {40, 80}, "gbgr"},
  };
  for (bool little : {true, false}) {
    for (const Case& c : cases) {
      Decoded decoded = ReadJpeg(WithOrientation(plain, c.orientation, little));
      ASSERT_EQ(decoded.status, Status::Ok);
      const Image& image = decoded.image;
      EXPECT_EQ(image.Dimensions(), c.size) << c.orientation;
      const std::string corners = {ColourAt(image, 0.05, 0.05), ColourAt(image, 0.95, 0.05), ColourAt(image, 0.05, 0.95),
                                   ColourAt(image, 0.95, 0.95)};
      EXPECT_EQ(corners, c.corners) << "orientation " << c.orientation << (little ? " II" : " MM");
    }
  }
}

TEST(ExifOrientation, TheFitUsesTheUprightSides) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(1600, 800, false), folder / "wide.jpg"));
  const std::vector<uint8_t> turned = WithOrientation(Bytes(folder / "wide.jpg"), 6, true);
  Loaded loaded = DecodeFitted(turned, "jpg", 6, {100, 100}, Filter::Bicubic);
  ASSERT_EQ(loaded.status, Status::Ok);
  EXPECT_EQ(loaded.image.Dimensions(), (Size{50, 100}));
}

}  // namespace
}  // namespace zq::gr::test
