// The pictures of a fresh program folder, drawn with the project's own block letters.
#include <filesystem>

#include "Canvas.h"
#include "Defaults.h"

namespace orvid::folder {

namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kGold{240, 200, 90};

struct Cover {
  std::string name;
  std::string label;
  Colour top, bottom;
  bool disc;
};

// A poster-shaped cover: a gradient, a frame, a disc for rips, the label below.
bool DrawCover(const Cover& c, const std::string& file) {
  Canvas canvas(240, 360);
  canvas.Gradient(c.top, c.bottom);
  canvas.Frame(8, 4, kGold);
  if (c.disc) canvas.Disc(120, 140, 80, 18, Colour{220, 220, 230});
  canvas.Text(c.label, 120, c.disc ? 285 : 180, Canvas::ScaleToFit(c.label, 200, 10), kWhite);
  return WriteAai(canvas, file);
}

// An index picture of the catalogs: the index name on a square.
bool DrawIndex(std::string_view name, const std::string& file) {
  Canvas canvas(200, 200);
  canvas.Gradient(Colour{40, 60, 110}, Colour{10, 15, 40});
  canvas.Frame(6, 3, kGold);
  std::string label = name == "(All)" ? "ALL" : std::string(name);
  canvas.Text(label, 100, 100, Canvas::ScaleToFit(label, 170, 16), kWhite);
  return WriteAai(canvas, file);
}

// A wide picture with its label in the upper part (the main window's buttons lie over the
// lower part of its background).
bool DrawBanner(std::string_view label, Colour top, Colour bottom, int32_t width, int32_t height,
                const std::string& file, bool jpeg) {
  Canvas canvas(width, height);
  canvas.Gradient(top, bottom);
  canvas.Frame(height / 40, height / 80 + 1, kGold);
  canvas.Text(label, width / 2, height * 2 / 5, Canvas::ScaleToFit(label, width / 2, height / 16), kWhite);
  return jpeg ? WriteJpeg(canvas, file) : WriteAai(canvas, file);
}

}  // namespace

std::vector<std::string> DrawPictures(const std::string& folder) {
  std::vector<std::string> failed;
  auto check = [&](bool written, const std::string& file) {
    if (!written) failed.push_back(file);
  };
  std::filesystem::create_directories(folder + "Covers");
  std::filesystem::create_directories(folder + "Chars");

  std::vector<Cover> covers{{"BluRay", "BLU-RAY", {30, 70, 160}, {5, 15, 50}, true},
                            {"DVD", "DVD", {120, 30, 140}, {30, 5, 40}, true},
                            {"Series", "SERIES", {20, 120, 90}, {5, 35, 25}, false},
                            {"Folder", "FOLDER", {150, 110, 40}, {50, 30, 5}, false},
                            {"Misc", "MISC", {90, 90, 90}, {25, 25, 25}, false}};
  for (const VideoExtension& v : VideoExtensions()) {
    covers.push_back({std::string(v.ext), std::string(v.ext), {160, 40, 40}, {40, 8, 8}, false});
  }
  for (const Cover& c : covers) {
    std::string file = folder + "Covers/" + c.name + ".aai";
    check(DrawCover(c, file), file);
  }

  std::vector<std::string> indexes{"(All)", "0"};
  for (char c = 'A'; c <= 'Z'; ++c) indexes.emplace_back(1, c);
  for (const std::string& name : indexes) {
    std::string file = folder + "Chars/." + name + ".aai";
    check(DrawIndex(name, file), file);
  }
  const struct {
    const char* name;
    const char* label;
    Colour top, bottom;
    int32_t width, height;
  } catalog[] = {{".MainV", "VIDEO", {30, 70, 160}, {5, 15, 50}, 400, 300},
                 {".MainA", "AUDIO", {20, 120, 90}, {5, 35, 25}, 400, 300},
                 {".BackV", "VIDEO", {15, 30, 70}, {0, 0, 10}, 960, 540},
                 {".BackA", "AUDIO", {10, 60, 45}, {0, 10, 5}, 960, 540},
                 {".BackS", "CATALOG", {50, 50, 60}, {5, 5, 10}, 960, 540}};
  for (const auto& p : catalog) {
    std::string file = folder + "Chars/" + p.name + ".aai";
    check(DrawBanner(p.label, p.top, p.bottom, p.width, p.height, file, false), file);
  }
  check(DrawBanner("ORVID", {25, 45, 95}, {5, 10, 25}, 1280, 360, folder + "DuneC.jpg", true), folder + "DuneC.jpg");
  check(DrawBanner("ORVID", {95, 35, 25}, {25, 8, 5}, 1280, 360, folder + "DuneP.jpg", true), folder + "DuneP.jpg");
  return failed;
}

}  // namespace orvid::folder
