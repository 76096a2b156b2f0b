// ImageMagick as an independent reader: the AAI files the library writes, its readers against
// ImageMagick's reading of the same files, its other writers, and the quality of its shrinking.
#include <gtest/gtest.h>

#include <algorithm>

#include "GraphicTestKit.h"
#include "Load.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

class ImageMagick : public ::testing::Test {
 protected:
  zqtest::ScratchFolder folder{"graphic"};

  Image Load(const std::filesystem::path& file) {
    Loaded loaded = LoadFitted(file.string(), 0, {}, Filter::Bicubic);
    EXPECT_EQ(loaded.status, Status::Ok) << file;
    return std::move(loaded.image);
  }
  static int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int most = 0;
    for (std::size_t i = 0; i < a.size(); ++i) most = std::max(most, std::abs(int(a[i]) - int(b[i])));
    return most;
  }
};

// Opaque pixels come back as 255 after ImageMagick's 254-to-255 step, every other alpha exactly.
TEST_F(ImageMagick, ReadsTheAaiWrittenFromAPngWithAnAlphaRamp) {
  Image ramp = Pattern(256, 40, true);  // alpha 0..255 across
  ASSERT_TRUE(WriteWith(WritePng, ramp, folder / "ramp.png"));
  ASSERT_EQ(Convert(folder / "ramp.png", folder / "ramp.aai", 0, 0, 0), 1);
  auto seen = ReadByImageMagick(folder / "ramp.aai");
  ASSERT_TRUE(seen);
  ASSERT_EQ(seen->width, 256);
  ASSERT_EQ(seen->height, 40);
  std::vector<uint8_t> expected = AsRgba(ramp);
  for (std::size_t i = 3; i < expected.size(); i += 4) expected[i] = expected[i] >= 254 ? 255 : expected[i];
  EXPECT_EQ(seen->pixels, expected);
}

TEST_F(ImageMagick, ReadsEveryAaiTheLibraryWritesAsTheLibraryMadeIt) {
  ASSERT_TRUE(WriteWith(WriteJpeg, Pattern(640, 480, false), folder / "photo.jpg"));
  ASSERT_TRUE(WriteWith(WritePng, Pattern(333, 501, true), folder / "alpha.png"));
  for (auto [source, mode, w, h] : {std::tuple{"photo.jpg", 7, 300, 300}, std::tuple{"photo.jpg", 1, 1000, 100},
                                    std::tuple{"alpha.png", 3, 120, 90}, std::tuple{"alpha.png", 5, 500, 900}}) {
    const auto from = folder / source;
    ASSERT_EQ(Convert(from, folder / "out.aai", uint8_t(mode), w, h), 1) << source;
    Loaded made = LoadFitted(from.string(), uint8_t(mode), {w, h}, Filter::Bicubic);
    ASSERT_EQ(made.status, Status::Ok);
    auto seen = ReadByImageMagick(folder / "out.aai");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->width, made.image.width);
    EXPECT_EQ(seen->height, made.image.height);
    std::vector<uint8_t> expected = AsRgba(made.image);
    for (std::size_t i = 3; i < expected.size(); i += 4) expected[i] = expected[i] >= 254 ? 255 : expected[i];
    EXPECT_EQ(seen->pixels, expected) << source << " mode " << mode;
  }
}

// Files ImageMagick writes from one picture, read by both: lossless forms the same, JPEG forms
// within the rounding of two decoders.
TEST_F(ImageMagick, ReadersAgreeWithImageMagick) {
  ASSERT_TRUE(WriteWith(WritePng, Pattern(203, 151, false), folder / "plain.png"));
  ASSERT_TRUE(WriteWith(WritePng, Pattern(203, 151, true), folder / "alpha.png"));
  struct Form {
    const char* name;
    const char* from;
    const char* options;
    int tolerance;  // largest difference of a byte
  };
  const Form forms[] = {
      {"base.jpg", "plain.png", "-quality 92", 2},
      {"progressive.jpg", "plain.png", "-interlace Plane", 2},
      {"grey.jpg", "plain.png", "-colorspace Gray", 2},
      {"cmyk.jpg", "plain.png", "-colorspace CMYK", 3},
      {"palette.png", "plain.png", "-colors 200 -type Palette", 0},
      {"grey.png", "plain.png", "-colorspace Gray -type Grayscale", 0},
      {"deep.png", "alpha.png", "-depth 16", 1},
      {"interlaced.png", "alpha.png", "-interlace PNG", 0},
      {"rgb24.bmp", "plain.png", "-type TrueColor", 0},
      {"rgba32.bmp", "alpha.png", "-type TrueColorAlpha", 0},
  };
  for (const Form& form : forms) {
    const auto file = folder / form.name;
    const std::string prefix = std::string(form.name) == "rgb24.bmp" ? "BMP3:" : "";
    ASSERT_TRUE(RunCommand("convert " + Quote(folder / form.from) + " " + form.options + " " + prefix + Quote(file))) << form.name;
    auto seen = ReadByImageMagick(file, std::string(form.name) == "cmyk.jpg" ? "-colorspace sRGB" : "");
    ASSERT_TRUE(seen) << form.name;
    Image ours = Load(file);
    ASSERT_EQ(ours.width, seen->width) << form.name;
    ASSERT_EQ(ours.height, seen->height) << form.name;
    EXPECT_LE(MaxDifference(AsRgba(ours), seen->pixels), form.tolerance) << form.name;
  }
}

TEST_F(ImageMagick, ReadsTheJpegPngAndBmpTheLibraryWrites) {
  ASSERT_TRUE(WriteWith(WritePng, Pattern(161, 97, true), folder / "alpha.png"));
  ASSERT_TRUE(WriteWith(WritePng, Pattern(161, 97, false), folder / "plain.png"));
  for (const char* target : {"out.png", "out.bmp"}) {
    for (const char* source : {"alpha.png", "plain.png"}) {
      ASSERT_EQ(Convert(folder / source, folder / target, 0, 0, 0), 1);
      auto seen = ReadByImageMagick(folder / target);
      ASSERT_TRUE(seen) << target;
      EXPECT_EQ(seen->pixels, AsRgba(Load(folder / source))) << source << " to " << target;
    }
  }
  ASSERT_EQ(Convert(folder / "plain.png", folder / "out.jpg", 0, 0, 0), 1);
  auto seen = ReadByImageMagick(folder / "out.jpg");
  ASSERT_TRUE(seen);
  EXPECT_GE(Psnr(seen->pixels, AsRgba(Load(folder / "plain.png"))), 30);
}

TEST_F(ImageMagick, BicubicShrinkIsAsGoodAsImageMagicksResize) {
  // A photo: the pattern with fine noise, stored as a JPEG by ImageMagick.
  Image photo = Pattern(1000, 1500, false);
  uint32_t seed = 12345;
  for (std::size_t i = 0; i < std::size_t(1000) * 1500 * 4; ++i) {
    seed = seed * 1103515245 + 12345;
    if (i % 4 != 3) photo.pixels[i] = uint8_t(std::clamp(int(photo.pixels[i]) + int(seed >> 28) - 8, 0, 255));
  }
  ASSERT_TRUE(WriteWith(WritePng, photo, folder / "photo.png"));
  ASSERT_TRUE(RunCommand("convert " + Quote(folder / "photo.png") + " -quality 90 " + Quote(folder / "photo.jpg")));
  ASSERT_EQ(Convert(folder / "photo.jpg", folder / "small.aai", 3, 300, 450, 2), 1);
  auto ours = ReadByImageMagick(folder / "small.aai");
  auto theirs = ReadByImageMagick(folder / "photo.jpg", "-resize 300x450");
  ASSERT_TRUE(ours && theirs);
  ASSERT_EQ(ours->width, 300);
  ASSERT_EQ(theirs->width, 300);
  ASSERT_EQ(theirs->height, 450);
  const double psnr = Psnr(ours->pixels, theirs->pixels);
  RecordProperty("psnr", std::to_string(psnr));
  EXPECT_GE(psnr, 32.0);
}

}  // namespace
}  // namespace zq::gr::test
