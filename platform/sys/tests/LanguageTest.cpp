#include <gtest/gtest.h>

#include <cstdlib>

#include "zqplatform/system.h"

namespace {

TEST(UserDefaultLangID, FromTheLocaleOfTheEnvironment) {
  struct Case {
    const char* lcAll;
    const char* lang;
    uint16_t expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, 0x0409},          {nullptr, "de_DE.UTF-8", 0x0407}, {nullptr, "de_AT.UTF-8", 0x0C07},
      {nullptr, "de_LU@euro", 0x0407},     {nullptr, "en_GB", 0x0809},       {nullptr, "pt_BR.UTF-8", 0x0416},
      {nullptr, "C.UTF-8", 0x0409},        {nullptr, "xx_YY", 0x0409},       {"fr_FR.UTF-8", "de_DE", 0x040C},
      {"", "ja_JP.UTF-8", 0x0411},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.lcAll ? c.lcAll : "-") << " " << (c.lang ? c.lang : "-"));
    unsetenv("LC_MESSAGES");
    c.lcAll ? setenv("LC_ALL", c.lcAll, 1) : unsetenv("LC_ALL");
    c.lang ? setenv("LANG", c.lang, 1) : unsetenv("LANG");
    EXPECT_EQ(zq::sys::UserDefaultLangID(), c.expected);
  }
}

}  // namespace
