#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

#include "system/VersionText.h"
#include "zqplatform/codepage.h"
#include "zqplatform/system.h"
#include "zqtest/HostCalls.h"
#include "zqtest/PeImageBuilder.h"
#include "zqtest/ScratchFolder.h"
#include "zqvantor/system.h"

namespace {

using zqtest::TakeBstr;
using zqtest::pe::StringTable;
using zqtest::pe::Version;
using zq::sys::VersionResource;

const std::vector<std::pair<std::string, std::string>> kAllTwelve = {
    {"CompanyName", "Acme"},       {"FileDescription", "Tool"}, {"FileVersion", "1.2.3"},
    {"InternalName", "tool"},      {"LegalCopyright", "(c)"},   {"OriginalFileName", "tool.exe"},
    {"ProductName", "Toolset"},    {"ProductVersion", "1.2"},   {"Comments", "none"},
    {"LegalTrademarks", "TM"},     {"PrivateBuild", "pb"},      {"SpecialBuild", "sb"}};

VersionResource Resource(const Version& v) {
  auto r = VersionResource::FromImage(zqtest::pe::PeImage(zqtest::pe::VersionBlock(v)));
  EXPECT_TRUE(r.has_value());
  return *r;
}

Version English(std::vector<std::pair<std::string, std::string>> values) {
  return Version{true, {StringTable{"040904B0", std::move(values)}}, {{{0x0409, 0x04B0}}}};
}

TEST(VersionText, MissingKeysLeaveTheirSeparators) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> values;
    uint8_t separator;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"company and file version", {{"CompanyName", "Acme"}, {"FileVersion", "1.2.3"}}, 0, "Acme;;1.2.3;;;;;;;;;"},
      {"none of the keys", {{"Other", "x"}}, 0, ";;;;;;;;;;;"},
      {"all twelve", kAllTwelve, 0, "Acme;Tool;1.2.3;tool;(c);tool.exe;Toolset;1.2;none;TM;pb;sb"},
      {"CR LF", {{"CompanyName", "Acme"}, {"SpecialBuild", "sb"}}, 255, "Acme\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nsb"},
      {"any other byte", {{"ProductName", "P"}}, '|', "||||||P|||||"},
      {"keys are case-blind", {{"companyname", "Acme"}}, 0, "Acme;;;;;;;;;;;"},
      {"empty value", {{"CompanyName", ""}, {"FileVersion", "2"}}, 0, ";;2;;;;;;;;;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(zqv::VersionText(Resource(English(c.values)), 0x0409, zqv::VersionSeparator(c.separator)), c.expected);
  }
}

TEST(VersionText, ChoosesTheTranslationForTheUserLanguage) {
  using Table = std::vector<std::pair<uint16_t, uint16_t>>;
  struct Case {
    const char* name;
    Table translations;
    uint16_t user;
    std::string expectedCompany;
  };
  const std::vector<Case> cases = {
      {"only 0409 whatever the user's language", {{0x0409, 0x04B0}}, 0x0407, "en"},
      {"the user's own language", {{0x0409, 0x04B0}, {0x0407, 0x04E4}}, 0x0407, "de"},
      {"the user's primary language", {{0x0409, 0x04B0}, {0x0407, 0x04E4}}, 0x0C07, "de"},
      {"language neutral next", {{0x0407, 0x04E4}, {0x0000, 0x04B0}}, 0x0411, "neutral"},
      {"English next", {{0x0407, 0x04E4}, {0x0809, 0x04B0}}, 0x0411, "en-gb"},
      {"else the first entry", {{0x0407, 0x04E4}, {0x040C, 0x04E4}}, 0x0411, "de"},
  };
  const std::vector<StringTable> tables = {
      {"040904B0", {{"CompanyName", "en"}}},       {"040704E4", {{"CompanyName", "de"}}},
      {"000004B0", {{"CompanyName", "neutral"}}}, {"080904b0", {{"CompanyName", "en-gb"}}},
      {"040C04E4", {{"CompanyName", "fr"}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Version v{true, tables, c.translations};
    EXPECT_EQ(zqv::VersionText(Resource(v), c.user, ";"), c.expectedCompany + ";;;;;;;;;;;");
  }
}

TEST(VersionText, WithoutTranslationTableTheFirstStringTableIsRead) {
  Version v{true, {StringTable{"041104B0", {{"CompanyName", "jp"}}}, StringTable{"040904B0", {{"CompanyName", "en"}}}},
            std::nullopt};
  EXPECT_EQ(zqv::VersionText(Resource(v), 0x0409, ";"), "jp;;;;;;;;;;;");
  Version noStrings{true, {}, std::nullopt};
  EXPECT_EQ(zqv::VersionText(Resource(noStrings), 0x0409, ";"), ";;;;;;;;;;;");
}

TEST(VersionText, RootBlockWithoutValueGivesEmptyText) {
  Version v = English({{"CompanyName", "Acme"}});
  v.rootValue = false;
  EXPECT_EQ(zqv::VersionText(Resource(v), 0x0409, ";"), "");
}

TEST(VersionResource, TruncatedImagesAreRefused) {
  auto image = zqtest::pe::PeImage(zqtest::pe::VersionBlock(English(kAllTwelve)));
  ASSERT_TRUE(VersionResource::FromImage(image));
  for (size_t size = 0; size < image.size(); ++size) {
    ASSERT_FALSE(VersionResource::FromImage(std::span(image.data(), size))) << "size " << size;
  }
}

TEST(VersionResource, HostileImagesNeverCrash) {
  const auto image = zqtest::pe::PeImage(zqtest::pe::VersionBlock(English(kAllTwelve)));
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    auto hostile = image;
    int flips = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < flips; ++i) hostile[random() % hostile.size()] = static_cast<uint8_t>(random());
    if (auto r = VersionResource::FromImage(hostile)) {
      zqv::VersionText(*r, 0x0409, ";");
      r->ChildKeys("\\StringFileInfo");
    }
  }
}

TEST(VersionResource, NodesWhoseLengthsLieAreBounded) {
  auto block = zqtest::pe::VersionBlock(English(kAllTwelve));
  struct Damage {
    const char* name;
    size_t at;
    uint8_t low, high;
  };
  const std::vector<Damage> cases = {
      {"root longer than the block", 0, 0xFF, 0xFF},
      {"root shorter than its header", 0, 2, 0},
      {"value length beyond the node", 2, 0xFF, 0xFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto damaged = block;
    damaged[c.at] = c.low;
    damaged[c.at + 1] = c.high;
    if (auto r = VersionResource::FromImage(zqtest::pe::PeImage(damaged))) zqv::VersionText(*r, 0x0409, ";");
  }
}

class VersionFile : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    auto path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  zqtest::ScratchFolder scratch_{"zq-version"};
  std::filesystem::path dir_ = scratch_.path();
};

std::string FileVersion(const std::string& path, int32_t separator) {
  return TakeBstr(DSKGetFileVersion(static_cast<int32_t>(path.size()), path.c_str(), separator));
}

TEST_F(VersionFile, ReadsProgramFilesOnDisk) {
  auto exe = Write("tool.exe", zqtest::pe::PeImage(zqtest::pe::VersionBlock(English({{"CompanyName", "Acme"}, {"FileVersion", "1.2.3"}}))));
  EXPECT_EQ(FileVersion(exe, 0), "Acme;;1.2.3;;;;;;;;;");
  EXPECT_EQ(FileVersion(exe, 0x100), "Acme;;1.2.3;;;;;;;;;");  // only the low byte counts
  // The path is taken up to a first zero byte.
  std::string withNul = exe + std::string("\0junk", 5);
  EXPECT_EQ(TakeBstr(DSKGetFileVersion(static_cast<int32_t>(withNul.size()), withNul.data(), 0)), "Acme;;1.2.3;;;;;;;;;");
}

// The translation is chosen for the user's language, which comes from the locale.
TEST_F(VersionFile, TranslationFollowsTheUsersLocale) {
  using Table = std::vector<std::pair<uint16_t, uint16_t>>;
  const std::vector<StringTable> tables = {{"040904B0", {{"CompanyName", "en"}}},
                                           {"040704E4", {{"CompanyName", "de"}}}};
  const Table english{{0x0409, 0x04B0}};
  const Table both{{0x0409, 0x04B0}, {0x0407, 0x04E4}};
  struct Case {
    const char* locale;
    std::optional<Table> translations;
    std::string expectedCompany;
  };
  const std::vector<Case> cases = {
      {"de_DE.UTF-8", english, "en"},  // 0409 only, whatever the user's language
      {"de_DE.UTF-8", both, "de"},
      {"de_AT.UTF-8", both, "de"},     // the primary language
      {"fr_FR.UTF-8", both, "en"},     // neither: English
      {"de_DE.UTF-8", std::nullopt, "en"},  // no table: the first string table
  };
  const char* before = std::getenv("LC_ALL");
  const std::string saved = before ? before : "";
  for (size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(testing::Message() << c.locale << " case " << i);
    setenv("LC_ALL", c.locale, 1);
    auto exe = Write("lang" + std::to_string(i) + ".dll", zqtest::pe::PeImage(zqtest::pe::VersionBlock({true, tables, c.translations})));
    EXPECT_EQ(FileVersion(exe, 0), c.expectedCompany + ";;;;;;;;;;;");
  }
  before ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");
}

TEST_F(VersionFile, EmptyTextWithoutUsableResource) {
  auto text = Write("notes.txt", {'h', 'e', 'l', 'l', 'o'});
  auto image = zqtest::pe::PeImage(zqtest::pe::VersionBlock(English(kAllTwelve)));
  image.resize(image.size() - 10);
  auto truncated = Write("cut.exe", image);
  for (const std::string& path : {text, truncated, (dir_ / "missing.exe").string(), std::string()}) {
    SCOPED_TRACE(path);
    BSTR b = DSKGetFileVersion(static_cast<int32_t>(path.size()), path.c_str(), 0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 0u);
    SysFreeString(b);
  }
  BSTR b = DSKGetFileVersion(20, nullptr, 0);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 0u);
  SysFreeString(b);
}

}  // namespace
