// Picture conversion, the processing pass's hot path: JPEG covers of 1000 x 1500 and
// 3000 x 4500 to 300 x 450 AAI files (bicubic), and a 1920 x 1080 PNG background to AAI, by
// Gr_Convert against ImageMagick (convert -resize, and convert -define jpeg:size -thumbnail)
// and libvips (vips thumbnail) on the same files. The references run as the commands a user
// would type, so their times include starting the program. Then the peak memory of a process
// that converts the large cover once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "PeakMemory.h"
#include "RatioReport.h"
#include "ZQ_Graphic.h"
#include "codecs/Codecs.h"

namespace {

namespace fs = std::filesystem;
fs::path folder;

std::string In(const char* name) { return (folder / name).string(); }

// A photo-like picture: gradients, edges and grain.
zq::gr::Image Photo(int32_t width, int32_t height) {
  zq::gr::Image image = zq::gr::MakeImage(width, height, false);
  uint32_t seed = 7;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* p = image.Row(y);
    for (int32_t x = 0; x < width; ++x, p += 4) {
      seed = seed * 1103515245 + 12345;
      const int grain = int(seed >> 28) - 8;
      const double fx = double(x) / width, fy = double(y) / height;
      p[0] = uint8_t(std::clamp(int(120 + 90 * std::sin(fx * 11 + fy * 5)) + grain, 0, 255));
      p[1] = uint8_t(std::clamp(int(255 * fy) + grain, 0, 255));
      p[2] = uint8_t(std::clamp((((x / 60) + (y / 80)) % 2 ? 210 : int(40 + 150 * fx)) + grain, 0, 255));
      p[3] = 255;
    }
  }
  return image;
}

void Write(zq::gr::Writer writer, const zq::gr::Image& image, const std::string& to) {
  if (!zq::gr::WriteFileWith(writer, image, to)) std::abort();
}

void Ours(benchmark::State& state, const char* source, uint8_t mode, int32_t w, int32_t h) {
  const std::string from = In(source), to = In("ours.aai");
  for (auto _ : state)
    if (Gr_Convert(int32_t(from.size()), from.data(), int32_t(to.size()), to.data(), mode, w, h, 2) != 1)
      state.SkipWithError("conversion failed");
}

void Command(benchmark::State& state, const std::string& command) {
  for (auto _ : state)
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) state.SkipWithError(command.c_str());
}

std::string Q(const std::string& path) { return "'" + path + "'"; }

void Register(const char* label, const char* source, int32_t w, int32_t h) {
  const std::string size = std::to_string(w) + "x" + std::to_string(h);
  const std::string hint = std::to_string(2 * w) + "x" + std::to_string(2 * h);
  benchmark::RegisterBenchmark((std::string("ours/") + label).c_str(), Ours, source, uint8_t(7), w, h)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string("convert_resize/") + label).c_str(), Command,
                               "convert " + Q(In(source)) + " -resize " + size + " " + Q(In("im.aai")))
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string("convert_thumbnail/") + label).c_str(), Command,
                               "convert -define jpeg:size=" + hint + " " + Q(In(source)) + " -thumbnail " + size + " " +
                                   Q(In("im.aai")))
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string("vips_thumbnail/") + label).c_str(), Command,
                               "vips thumbnail " + Q(In(source)) + " " + Q(In("vips.v")) + " " + std::to_string(w) +
                                   " --height " + std::to_string(h))
      ->Unit(benchmark::kMillisecond);
}

// Run as "graphic_bench --convert-once SOURCE TARGET": one conversion in a fresh process,
// then its peak resident memory in kilobytes.
int ConvertOnce(const std::string& from, const std::string& to) {
  if (Gr_Convert(int32_t(from.size()), from.data(), int32_t(to.size()), to.data(), 7, 300, 450, 2) != 1) return 1;
  std::printf("%ld\n", PeakKilobytes());
  return 0;
}

void PrintPeakMemory(const char* self) {
  const std::string result = In("peak.txt");
  const std::string command = std::string("'") + self + "' --convert-once " + Q(In("cover3000.jpg")) + " " +
                              Q(In("ours.aai")) + " > " + Q(result);
  long peak = -1;
  if (std::system(command.c_str()) == 0) std::ifstream(result) >> peak;
  std::printf("peak memory of a process converting the 3000 x 4500 cover: %.1f MB (aim: below 25 MB)\n",
              peak / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--convert-once") return ConvertOnce(argv[2], argv[3]);
  folder = fs::temp_directory_path() / ("zq_graphic_bench." + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  Write(zq::gr::WriteJpeg, Photo(1000, 1500), In("cover1000.jpg"));
  Write(zq::gr::WriteJpeg, Photo(3000, 4500), In("cover3000.jpg"));
  Write(zq::gr::WritePng, Photo(1920, 1080), In("background.png"));

  Register("cover_1000x1500_jpg", "cover1000.jpg", 300, 450);
  Register("cover_3000x4500_jpg", "cover3000.jpg", 300, 450);
  benchmark::RegisterBenchmark("ours/background_1920x1080_png", Ours, "background.png", uint8_t(0), 0, 0)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("convert/background_1920x1080_png", Command,
                               "convert " + Q(In("background.png")) + " " + Q(In("im.aai")))
      ->Unit(benchmark::kMillisecond);

  std::vector<zqbench::Ratio> ratios;
  for (const char* label : {"cover_1000x1500_jpg", "cover_3000x4500_jpg"}) {
    for (const char* reference : {"convert_resize", "convert_thumbnail", "vips_thumbnail"})
      ratios.push_back({std::string("ours/") + label, std::string(reference) + "/" + label,
                        std::string(label) + " against " + reference});
  }
  ratios.push_back({"ours/background_1920x1080_png", "convert/background_1920x1080_png",
                    "background_1920x1080_png against convert"});
  zqbench::RunWithRatios(argc, argv, ratios);
  PrintPeakMemory(argv[0]);
  fs::remove_all(folder);
  return 0;
}
