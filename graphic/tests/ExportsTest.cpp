// The nine calls: image objects, loading into a registered picture, its description, the
// buffer's release, window sizes and the file types.
#include <gtest/gtest.h>

#include <cstring>

#include "GraphicTestKit.h"
#include "zqplatform/uimodel.h"
#include "zqtest/ScratchFolder.h"

namespace zq::gr::test {
namespace {

int32_t Load(int32_t handle, const std::filesystem::path& file, uint8_t mode, int32_t w, int32_t h,
             uint8_t strip = 0) {
  const std::string name = file.string();
  return GR_Load(handle, int32_t(name.size()), name.data(), mode, w, h, strip, 0);
}

std::array<int32_t, 4> Info(int32_t handle) {
  const auto* info = reinterpret_cast<const int32_t*>(GR_GetInfo(handle));
  return {info[0], info[1], info[2], info[3]};
}

TEST(FileTypes, AnswerForExactlyTheExtensionsThatLoad) {
  const std::pair<const char*, int32_t> cases[] = {
      {"jpg", 1}, {"JPG", 1}, {"jpeg", 1}, {"jpe", 1}, {"png", 2}, {"Png", 2}, {"bmp", 3}, {"aai", 4},
      {".png", 2}, {"cover.AAI", 4}, {"gif", 0}, {"tif", 0}, {"jp", 0}, {"pngx", 0}, {"", 0}, {"mkv", 0},
  };
  for (auto [name, expected] : cases)
    EXPECT_EQ(Gr_FileType(int32_t(std::strlen(name)), name), expected) << name;
  EXPECT_EQ(Gr_FileType(3, nullptr), 0);
  EXPECT_EQ(Gr_FileType(2, "pngx"), 0);  // only the length given counts
}

TEST(ImageObjects, HandlesAreDistinctAndGoOnce) {
  const int32_t a = GR_Create(), b = GR_Create();
  EXPECT_GT(a, 0);
  EXPECT_GT(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(GR_Destroy(a), 1);
  EXPECT_EQ(GR_Destroy(a), GR_ERROR_HANDLE);
  EXPECT_EQ(GR_GetInfo(a), -1);
  EXPECT_EQ(GR_Destroy(b), 1);
  EXPECT_EQ(GR_Load(0, 5, "x.png", 0, 0, 0, 0, 0), -1);
}

TEST(ImageObjects, LoadRegistersAPictureThatOutlivesTheBuffer) {
  zqtest::ScratchFolder folder("graphic");
  ASSERT_TRUE(WriteWith(WritePng, Pattern(400, 300, true), folder / "a.png"));
  const int32_t handle = GR_Create();
  EXPECT_EQ(GR_GetInfo(handle), -1);
  const int32_t picture = Load(handle, folder / "a.png", 7, 200, 200);
  ASSERT_GT(picture, 0);
  EXPECT_EQ(Info(handle), (std::array<int32_t, 4>{200, 150, 32, 1}));
  std::shared_ptr<const zq::ui::Picture> shown = zq::ui::RegisteredPicture(uint32_t(picture));
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 200);
  EXPECT_EQ(shown->height, 150);
  EXPECT_EQ(shown->bgra[3], 0);  // the alpha ramp starts transparent
  EXPECT_EQ(GR_FreeBuf(handle), 1);
  EXPECT_FALSE(zq::ui::RegisteredPicture(uint32_t(picture)));
  EXPECT_EQ(shown->width, 200);  // a control that took the picture keeps it
  EXPECT_EQ(Info(handle)[0], 200);

  // A failed load keeps the last description; stripping the alpha makes every pixel opaque.
  EXPECT_EQ(Load(handle, folder / "missing.png", 0, 0, 0), -1);
  EXPECT_EQ(Load(handle, folder / "a.png", 3, 0, 10), -1);
  EXPECT_EQ(Info(handle)[1], 150);
  const int32_t opaque = Load(handle, folder / "a.png", 0, -1, -1, 1);
  ASSERT_GT(opaque, 0);
  EXPECT_EQ(Info(handle), (std::array<int32_t, 4>{400, 300, 24, 0}));
  EXPECT_EQ(zq::ui::RegisteredPicture(uint32_t(opaque))->bgra[3], 255);
  EXPECT_EQ(GR_Destroy(handle), 1);
  EXPECT_FALSE(zq::ui::RegisteredPicture(uint32_t(opaque)));
}

TEST(ImageObjects, AJpegPngAndAaiOfOnePictureLoadTheSame) {
  zqtest::ScratchFolder folder("graphic");
  const Image picture = Pattern(64, 48, false);
  ASSERT_TRUE(WriteWith(WritePng, picture, folder / "p.png"));
  ASSERT_TRUE(WriteWith(WriteAai, picture, folder / "p.aai"));
  const int32_t handle = GR_Create();
  auto pixels = [&](const char* name) {
    auto shown = zq::ui::RegisteredPicture(uint32_t(Load(handle, folder / name, 0, 0, 0)));
    return std::vector<uint8_t>(shown->bgra.get(), shown->bgra.get() + 64 * 48 * 4);
  };
  const std::vector<uint8_t> png = pixels("p.png");
  EXPECT_EQ(pixels("p.aai"), png);  // alpha 254 shows opaque
  EXPECT_EQ(std::vector<uint8_t>(picture.pixels.get(), picture.pixels.get() + png.size()), png);
  GR_Destroy(handle);
}

TEST(ImageObjects, WindowSizesComeFromTheWindowModel) {
  HWND window = CreateWindowExA(0, "pictures", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, 0, 0, nullptr);
  ASSERT_NE(window, 0u);
  HWND image = zq::ui::CreateControl(window, zq::ui::Kind::Image, 7, "", RECT{5, 5, 305, 205});
  EXPECT_EQ(GR_GetWinWidth(image), 300);
  EXPECT_EQ(GR_GetWinHeight(image), 200);
  EXPECT_EQ(GR_GetWinWidth(0), 0);
  DestroyWindow(window);
}

}  // namespace
}  // namespace zq::gr::test
