// The picture object on a window of the window model (Qt presenter, offscreen): LOAD fitted to
// the image control, the 20-pixel floor, LOAD before INIT, GETINFO's text and its blank answer,
// a failed create; GRCONVERT and GRFILETYPE as the library answers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Image.h"
#include "ZQ_Graphic.h"
#include "codecs/Codecs.h"
#include "hostlib/Picture.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/questions.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/window.h"
#include "zqtest/ScratchFolder.h"

namespace {

const bool kQtPresenter = zq::ui::UsePresenter("qt");
constexpr int32_t kImage = 5;

using zq::gr::Image;

// Red left half, blue right half, a green band at the top; alpha (when asked) falling to the
// right.
Image Marked(int32_t width, int32_t height, bool alpha) {
  Image image = zq::gr::MakeImage(width, height, alpha);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* p = image.Row(y);
    for (int32_t x = 0; x < width; ++x, p += 4) {
      const bool top = y < height / 8, left = x < width / 2;
      p[0] = !top && !left ? 255 : 0, p[1] = top ? 255 : 0, p[2] = !top && left ? 255 : 0;
      p[3] = alpha ? uint8_t(255 - x * 255 / width) : 255;
    }
  }
  return image;
}

void Write(zq::gr::Writer writer, const Image& image, const std::filesystem::path& to) {
  ASSERT_TRUE(zq::gr::WriteFileWith(writer, image, to.string()));
}

class PictureObject : public ::testing::Test {
 protected:
  zqtest::ScratchFolder folder{"picture"};
  std::unique_ptr<zq::rt::Window> window;

  void SetUp() override {
    zq::rt::WindowDef def;
    def.title = "Explorer";
    def.width = 260;
    def.height = 180;
    zq::rt::ControlDef image;
    image.number = kImage;
    image.kind = zq::ui::Kind::Image;
    image.at = {10, 10, 200, 120};
    def.controls.push_back(image);
    window = std::make_unique<zq::rt::Window>(def);
    ASSERT_TRUE(window->Open());
    Write(zq::gr::WritePng, Marked(800, 600, false), folder / "wide.png");
    Write(zq::gr::WritePng, Marked(400, 300, true), folder / "alpha.png");
  }
  void TearDown() override { window->Close(); }

  std::string File(const char* name) { return (folder / name).string(); }
  zq::gr::Size ControlSize() {
    auto state = zq::ui::Snapshot(window->ControlHandle(kImage));
    return {state->rect.right - state->rect.left, state->rect.bottom - state->rect.top};
  }
  std::shared_ptr<const zq::ui::Picture> Shown() { return zq::ui::Snapshot(window->ControlHandle(kImage))->picture; }
  static std::string Padded(std::string text) {
    text.resize(50, ' ');
    return text;
  }
};

TEST_F(PictureObject, LoadWithoutSizesFitsTheImageControl) {
  PICTURE picture;
  ASSERT_GT(picture.GRHANDLE, 0);
  EXPECT_EQ(picture.INIT(*window, kImage), 0);
  const zq::gr::Size control = ControlSize();
  ASSERT_GE(control.width, 100);

  EXPECT_GT(picture.LOAD(File("wide.png"), 3, -1, -1, 0, 0), 0);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Shown()->width, control.width);
  EXPECT_EQ(Shown()->height, control.height);

  EXPECT_GT(picture.LOAD(File("wide.png"), 7, -1, -1, 0, 0), 0);
  const double scale = std::min(control.width / 800.0, control.height / 600.0);
  EXPECT_NEAR(Shown()->width, 800 * scale, 1);
  EXPECT_NEAR(Shown()->height, 600 * scale, 1);
  EXPECT_EQ(picture.GETINFO(), Padded(std::to_string(Shown()->width) + " x " + std::to_string(Shown()->height) +
                                      " - 24 Bpp - Alpha = 0"));
}

TEST_F(PictureObject, ResizingBelowTwentyPixelsIsRefusedButNotWithoutResizing) {
  PICTURE picture;
  picture.INIT(*window, kImage);
  ASSERT_GT(picture.LOAD(File("alpha.png"), 3, 100, 80, 0, 0), 0);
  const auto before = Shown();
  EXPECT_EQ(picture.LOAD(File("wide.png"), 3, 19, 80, 0, 0), -1);
  EXPECT_EQ(picture.LOAD(File("wide.png"), 6, 100, 19, 0, 0), -1);
  EXPECT_EQ(Shown(), before);
  EXPECT_EQ(picture.GETINFO(), Padded("100 x 80 - 32 Bpp - Alpha = 1"));
  EXPECT_GT(picture.LOAD(File("alpha.png"), 0, 19, 5, 0, 0), 0);
  EXPECT_EQ(Shown()->width, 400);
  EXPECT_GT(picture.LOAD(File("alpha.png"), 3, 20, 20, 1, 0), 0);
  EXPECT_EQ(picture.GETINFO(), Padded("20 x 20 - 24 Bpp - Alpha = 0"));
}

TEST_F(PictureObject, LoadBeforeInitAndUnreadableFilesGiveMinusOne) {
  PICTURE picture;
  EXPECT_EQ(picture.INITDONE, 0);
  EXPECT_EQ(picture.LOAD(File("wide.png"), 0, 100, 100, 0, 0), -1);
  EXPECT_EQ(picture.GETINFO(), std::string(50, ' '));  // nothing loaded: blank, not zeros
  picture.INIT(*window, kImage);
  ASSERT_GT(picture.LOAD(File("wide.png"), 0, 100, 100, 0, 0), 0);
  const auto before = Shown();
  EXPECT_EQ(picture.LOAD(File("missing.png"), 0, 100, 100, 0, 0), -1);
  EXPECT_EQ(picture.LOAD(folder.path().string(), 0, 100, 100, 0, 0), -1);
  EXPECT_EQ(Shown(), before);
  EXPECT_EQ(picture.GETINFO(), Padded("800 x 600 - 24 Bpp - Alpha = 0"));
}

TEST_F(PictureObject, AJpegPngAndAaiOfOnePictureLookTheSame) {
  const Image marked = Marked(120, 80, false);
  Write(zq::gr::WritePng, marked, folder / "m.png");
  Write(zq::gr::WriteAai, marked, folder / "m.aai");
  Write(zq::gr::WriteJpeg, marked, folder / "m.jpg");
  PICTURE picture;
  picture.INIT(*window, kImage);
  std::vector<std::shared_ptr<const zq::ui::Picture>> shown;
  for (const char* name : {"m.png", "m.aai", "m.jpg"}) {
    ASSERT_GT(picture.LOAD(File(name), 0, -1, -1, 0, 0), 0) << name;
    shown.push_back(Shown());
    zq::ui::Flush();
    auto shot = zq::ui::GrabImage(window->Handle());
    ASSERT_TRUE(shot);
    // The control's centre: the picture's blue right half, inset from the green band.
    auto state = zq::ui::Snapshot(window->ControlHandle(kImage));
    const int32_t cx = (state->rect.left + state->rect.right) / 2, cy = (state->rect.top + state->rect.bottom) / 2;
    const COLORREF right = shot->At(cx + 30, cy + 10), left = shot->At(cx - 30, cy + 10);
    EXPECT_GT(right >> 16 & 0xFF, 200u) << name;
    EXPECT_LT(right & 0xFF, 40u) << name;
    EXPECT_GT(left & 0xFF, 200u) << name;
    if (const char* shots = std::getenv("ZQ_PICTURE_SHOTS"))  // a folder to keep the screenshots in
      zq::ui::GrabWindow(window->Handle(), std::string(shots) + "/" + name + ".png");
  }
  const std::size_t bytes = 120 * 80 * 4;
  EXPECT_TRUE(std::equal(shown[0]->bgra.get(), shown[0]->bgra.get() + bytes, shown[1]->bgra.get()));
  double difference = 0;  // the JPEG's own loss: small on average, larger only at the colour edges
  for (std::size_t i = 0; i < bytes; ++i) difference += std::abs(int(shown[0]->bgra[i]) - int(shown[2]->bgra[i]));
  EXPECT_LT(difference / bytes, 4.0);
}

TEST_F(PictureObject, AFailedCreateIsReportedAndLeavesAnObjectInForm) {
  zq::ui::TakeAsked();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(IDOK));  // the user's OK, given ahead
  hostlib::SetGraphicCreate([] { return -6; });
  PICTURE picture;
  hostlib::SetGraphicCreate(nullptr);
  EXPECT_EQ(picture.INTERROR, -6);
  EXPECT_EQ(picture.GRHANDLE, 0);
  const auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].question.text, "Critical System Error Creating ZQImage Object.");
  EXPECT_EQ(asked[0].question.caption, "");
  picture.INIT(*window, kImage);
  EXPECT_EQ(picture.LOAD(File("wide.png"), 0, 100, 100, 0, 0), -1);
  EXPECT_EQ(picture.GETINFO(), std::string(50, ' '));
}

TEST_F(PictureObject, DestructGivesTheObjectBack) {
  PICTURE picture;
  const int32_t handle = picture.GRHANDLE;
  picture.DESTRUCT();
  EXPECT_EQ(picture.GRHANDLE, 0);
  EXPECT_EQ(picture.INTERROR, 1);
  EXPECT_EQ(GR_Destroy(handle), GR_ERROR_HANDLE);
}

TEST(PictureProcedures, ConvertAndFileTypeAnswerAsTheLibrary) {
  zqtest::ScratchFolder folder("picture");
  Write(zq::gr::WritePng, Marked(64, 64, true), folder / "a.png");
  const std::string source = (folder / "a.png").string(), target = (folder / "a.aai").string();
  EXPECT_EQ(GRCONVERT(source, target, 7, 32, 16, 2), 1);
  EXPECT_EQ(std::filesystem::file_size(target), 8u + 16 * 16 * 4);
  EXPECT_EQ(GRCONVERT(source + "x", target, 0, 0, 0, 0), GR_ERROR_OPEN);
  EXPECT_EQ(GRFILETYPE("jpg"), 1);
  EXPECT_EQ(GRFILETYPE("AAI"), 4);
  EXPECT_EQ(GRFILETYPE("txt"), 0);
  EXPECT_EQ(GRFILETYPE(""), 0);
}

}  // namespace
