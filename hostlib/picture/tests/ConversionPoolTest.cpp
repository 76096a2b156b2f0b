// The conversion pool: what it writes, in the order asked, is what GRCONVERT writes; its workers
// write nothing; what is not asked for is dropped; it holds no more than its limits, counting
// the pictures being converted by their working size; a picture too large for them converts
// alone; a source changed after it was converted ahead is converted again; without workers the
// asking thread converts.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "Image.h"
#include "ZQ_Graphic.h"
#include "codecs/Codecs.h"
#include "hostlib/ConversionPool.h"
#include "hostlib/Picture.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using hostlib::Conversion;
using hostlib::ConversionPool;
using Files = std::map<std::string, std::string>;

zq::gr::Image Gradient(int32_t width, int32_t height, int32_t seed) {
  zq::gr::Image image = zq::gr::MakeImage(width, height, false);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* p = image.Row(y);
    for (int32_t x = 0; x < width; ++x, p += 4) {
      p[0] = uint8_t(127 + 120 * std::sin((x + seed) * 0.05)), p[1] = uint8_t(y * 255 / height);
      p[2] = uint8_t((x * seed) & 0xFF), p[3] = 255;
    }
  }
  return image;
}

Files Contents(const fs::path& folder) {
  Files files;
  for (const auto& e : fs::directory_iterator(folder)) files[e.path().filename().string()] = zqtest::FileBytes(e.path());
  return files;
}

// Polls until the condition holds; false when it did not within the deadline.
bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

class Pool : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(in_);
    for (int n = 0; n < 6; ++n) {
      ASSERT_TRUE(zq::gr::WriteFileWith(n % 2 ? zq::gr::WriteJpeg : zq::gr::WritePng, Gradient(300 + 40 * n, 200, n),
                                        (in_ / ("p" + std::to_string(n) + (n % 2 ? ".jpg" : ".png"))).string()));
    }
    std::ofstream(in_ / "broken.png") << "\x89PNG\r\n\x1A\n not a picture";
    hostlib::SetConversionThreads(4);
  }
  void TearDown() override { hostlib::SetConversionThreads(std::thread::hardware_concurrency()); }

  // Conversions into a folder: the pictures in turn with other sizes and targets, a missing and
  // a broken source, and targets that two conversions share.
  std::vector<Conversion> List(const fs::path& out, int count) const {
    std::vector<Conversion> list;
    const char* targets[] = {".aai", ".aai", ".png", ".jpg", ".bmp"};
    for (int i = 0; i < count; ++i) {
      std::string source = (in_ / ("p" + std::to_string(i % 6) + (i % 6 % 2 ? ".jpg" : ".png"))).string();
      if (i % 7 == 3) source = (in_ / "missing.jpg").string();
      if (i % 11 == 5) source = (in_ / "broken.png").string();
      const std::string target = (out / ("t" + std::to_string(i % 9) + targets[i % 5])).string();
      list.push_back({source, target, uint8_t(i % 8), 100 + 10 * i, 90 + 5 * i, uint8_t(i % 3)});
    }
    return list;
  }
  static std::vector<ConversionPool::Job> Jobs(const std::vector<Conversion>& list) {
    std::vector<ConversionPool::Job> jobs;
    for (size_t i = 0; i < list.size(); ++i) jobs.push_back({10 * i, list[i]});
    return jobs;
  }

  zqtest::ScratchFolder folder_{"pool"};
  fs::path in_ = folder_ / "in";
};

TEST_F(Pool, WritesInTheOrderAskedWhatGrconvertWritesAndAnswersAsItDoes) {
  const fs::path one = folder_ / "one", many = folder_ / "many";
  fs::create_directories(one);
  fs::create_directories(many);
  const std::vector<Conversion> sequence = List(one, 40), ahead = List(many, 40);
  std::vector<int32_t> expected, results;
  for (const Conversion& c : sequence)
    expected.push_back(GRCONVERT(c.source, c.target, c.resizeMode, c.width, c.height, c.filter));
  {
    ConversionPool pool(Jobs(ahead));
    EXPECT_EQ(pool.Workers(), 4u);
    for (size_t i = 0; i < ahead.size(); ++i) results.push_back(pool.Convert(10 * i, ahead[i]));
  }
  EXPECT_EQ(results, expected);
  EXPECT_EQ(Contents(many), Contents(one));
  EXPECT_NE(std::count(results.begin(), results.end(), 1), 0);
  EXPECT_NE(std::count(results.begin(), results.end(), GR_ERROR_OPEN), 0);
  EXPECT_NE(std::count(results.begin(), results.end(), GR_ERROR_CORRUPT), 0);
}

TEST_F(Pool, ItsWorkersWriteNothingAndWhatIsNotAskedForIsDropped) {
  const fs::path out = folder_ / "out";
  fs::create_directories(out);
  std::vector<Conversion> list;
  for (int i = 0; i < 12; ++i) list.push_back({(in_ / "p0.png").string(), (out / (std::to_string(i) + ".aai")).string()});
  {
    ConversionPool pool(Jobs(list), {3, 1LL << 30});
    ASSERT_TRUE(WaitFor([&] { return pool.Holding().converted == 3; }));
    EXPECT_TRUE(fs::is_empty(out));
    EXPECT_EQ(pool.Convert(10, list[1]), 1);  // the first passed over
    EXPECT_EQ(pool.Convert(40, list[4]), 1);
    ASSERT_TRUE(WaitFor([&] { return pool.Holding().pictures == 3; }));
    EXPECT_LE(pool.Peak().pictures, 3u);
  }
  EXPECT_EQ(Contents(out).size(), 2u);
  EXPECT_TRUE(fs::exists(out / "1.aai"));
  EXPECT_TRUE(fs::exists(out / "4.aai"));
}

TEST_F(Pool, ABytesLimitHoldsNoMoreThanThePicturesBeingConvertedWhenItFilled) {
  const fs::path out = folder_ / "out";
  fs::create_directories(out);
  std::vector<Conversion> list;
  for (int i = 0; i < 30; ++i) list.push_back({(in_ / "p2.png").string(), (out / "a.aai").string(), 3, 50 + i, 50});
  ConversionPool pool(Jobs(list), {100, 1});
  for (size_t i = 0; i < list.size(); ++i) pool.Convert(10 * i, list[i]);
  EXPECT_LE(pool.Peak().pictures, pool.Workers());
  EXPECT_GT(pool.Peak().bytes, 0);
}

int64_t WorkingBytes(const Conversion& c) {
  return Gr_WorkingBytes(int32_t(c.source.size()), c.source.data(), int32_t(c.target.size()), c.target.data(),
                         c.resizeMode, c.width, c.height, c.filter);
}

// Asks for each conversion once the workers have converted it ahead, with the reference each
// gives from GRCONVERT into reference/: every result 1 and every file alike.
void AskWhenConvertedAhead(ConversionPool& pool, const std::vector<Conversion>& list, const fs::path& out,
                           const fs::path& reference) {
  for (size_t i = 0; i < list.size(); ++i) {
    ASSERT_TRUE(WaitFor([&] { return pool.Holding().converted >= 1; })) << "job " << i << " never converted";
    EXPECT_EQ(pool.Convert(10 * i, list[i]), 1);
    const Conversion& c = list[i];
    const std::string alike = (reference / fs::path(c.target).filename()).string();
    EXPECT_EQ(GRCONVERT(c.source, alike, c.resizeMode, c.width, c.height, c.filter), 1);
  }
  EXPECT_EQ(Contents(out), Contents(reference));
}

TEST_F(Pool, APictureStartsOnlyWhenItsWorkingSizeFitsBesideWhatIsHeld) {
  hostlib::SetConversionThreads(8);
  const fs::path out = folder_ / "out", reference = folder_ / "reference";
  fs::create_directories(out);
  fs::create_directories(reference);
  std::vector<Conversion> list;
  for (int i = 0; i < 10; ++i)
    list.push_back({(in_ / "p3.jpg").string(), (out / (std::to_string(i) + ".aai")).string(), 0, 0, 0, 0});
  const int64_t working = WorkingBytes(list[0]);
  ASSERT_GT(working, 420 * 200 * 4);  // the decoded picture at least
  const hostlib::PoolLimits limits{100, working + 1};  // room for one picture at a time
  ConversionPool pool(Jobs(list), limits);
  EXPECT_EQ(pool.Workers(), 8u);
  AskWhenConvertedAhead(pool, list, out, reference);
  EXPECT_EQ(pool.Peak().pictures, 1u);
  EXPECT_LE(pool.Peak().bytes, limits.bytes);
}

TEST_F(Pool, APictureTooLargeForTheLimitOnItsOwnIsConvertedAloneAhead) {
  hostlib::SetConversionThreads(8);
  ASSERT_TRUE(zq::gr::WriteFileWith(zq::gr::WritePng, Gradient(2400, 1600, 9), (in_ / "large.png").string()));
  const fs::path out = folder_ / "out", reference = folder_ / "reference";
  fs::create_directories(out);
  fs::create_directories(reference);
  std::vector<Conversion> list;
  for (int i = 0; i < 6; ++i) {
    const std::string source = (in_ / (i == 2 || i == 3 ? "large.png" : "p0.png")).string();
    list.push_back({source, (out / (std::to_string(i) + ".aai")).string(), 2 | 4, 1000, 1000, 2});
  }
  const int64_t small = WorkingBytes(list[0]), large = WorkingBytes(list[2]);
  ASSERT_GT(large, 2400LL * 1600 * 4);
  const hostlib::PoolLimits limits{100, 3 * small};
  ASSERT_GT(large, limits.bytes);
  ConversionPool pool(Jobs(list), limits);
  AskWhenConvertedAhead(pool, list, out, reference);
  EXPECT_EQ(pool.Peak().bytes, large);  // alone: nothing held beside it
}

TEST_F(Pool, ASourceChangedOrGoneAfterItWasConvertedAheadIsConvertedAsItStandsNow) {
  const fs::path out = folder_ / "out", reference = folder_ / "reference";
  fs::create_directories(out);
  fs::create_directories(reference);
  const std::string source = (in_ / "p0.png").string();
  const std::vector<Conversion> list = {{source, (out / "a.aai").string(), 0, 0, 0, 0},
                                        {(in_ / "p2.png").string(), (out / "b.aai").string(), 0, 0, 0, 0}};
  ConversionPool pool(Jobs(list));
  ASSERT_TRUE(WaitFor([&] { return pool.Holding().converted == 2; }));
  fs::copy_file(in_ / "p4.png", source, fs::copy_options::overwrite_existing);
  fs::remove(in_ / "p2.png");
  EXPECT_EQ(pool.Convert(0, list[0]), 1);
  EXPECT_EQ(pool.Convert(10, list[1]), GR_ERROR_OPEN);
  EXPECT_EQ(GRCONVERT(source, (reference / "a.aai").string(), 0, 0, 0, 0), 1);
  EXPECT_EQ(zqtest::FileBytes(out / "a.aai"), zqtest::FileBytes(reference / "a.aai"));
  EXPECT_FALSE(fs::exists(out / "b.aai"));
}

TEST_F(Pool, AConversionAskedOtherwiseThanItsJobIsConvertedAsAsked) {
  const fs::path out = folder_ / "out", reference = folder_ / "reference";
  fs::create_directories(out);
  fs::create_directories(reference);
  Conversion planned{(in_ / "p1.jpg").string(), (out / "a.aai").string(), 7, 100, 100, 2};
  ConversionPool pool({{5, planned}});
  Conversion asked = planned;
  asked.width = 50;
  EXPECT_EQ(pool.Convert(5, asked), 1);
  EXPECT_EQ(pool.Convert(6, asked), 1);  // no job of that key at all
  EXPECT_EQ(GRCONVERT(asked.source, (reference / "a.aai").string(), 7, 50, 100, 2), 1);
  EXPECT_EQ(zqtest::FileBytes(out / "a.aai"), zqtest::FileBytes(reference / "a.aai"));
}

TEST_F(Pool, WithoutWorkersTheAskingThreadConverts) {
  hostlib::SetConversionThreads(0);
  const fs::path one = folder_ / "one", here = folder_ / "here";
  fs::create_directories(one);
  fs::create_directories(here);
  const std::vector<Conversion> sequence = List(one, 12), asked = List(here, 12);
  ConversionPool pool(Jobs(asked));
  EXPECT_EQ(pool.Workers(), 0u);
  for (size_t i = 0; i < asked.size(); ++i) {
    const Conversion& c = sequence[i];
    EXPECT_EQ(pool.Convert(10 * i, asked[i]), GRCONVERT(c.source, c.target, c.resizeMode, c.width, c.height, c.filter));
  }
  EXPECT_EQ(Contents(here), Contents(one));
  EXPECT_EQ(pool.Peak().pictures, 0u);
}

}  // namespace
