// The computer's and the user's names and the user's language.
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "zqplatform/codepage.h"
#include "zqplatform/system.h"

namespace zq::sys {

namespace {

constexpr size_t kComputerNameLength = 15;
constexpr uint16_t kEnglishUs = 0x0409;

struct Locale {
  const char* name;  // language, or language_TERRITORY
  uint16_t langId;
};

// Languages by locale name; a territory entry wins over its language's default.
constexpr Locale kLocales[] = {
    {"ar", 0x0401},    {"bg", 0x0402},    {"ca", 0x0403},    {"zh_TW", 0x0404}, {"zh", 0x0804},
    {"cs", 0x0405},    {"da", 0x0406},    {"de", 0x0407},    {"de_CH", 0x0807}, {"de_AT", 0x0C07},
    {"el", 0x0408},    {"en", 0x0409},    {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009},
    {"es", 0x0C0A},    {"es_MX", 0x080A}, {"fi", 0x040B},    {"fr", 0x040C},    {"fr_BE", 0x080C},
    {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"he", 0x040D},    {"hu", 0x040E},    {"is", 0x040F},
    {"it", 0x0410},    {"ja", 0x0411},    {"ko", 0x0412},    {"nl", 0x0413},    {"nl_BE", 0x0813},
    {"nb", 0x0414},    {"no", 0x0414},    {"nn", 0x0814},    {"pl", 0x0415},    {"pt", 0x0816},
    {"pt_BR", 0x0416}, {"ro", 0x0418},    {"ru", 0x0419},    {"hr", 0x041A},    {"sk", 0x041B},
    {"sv", 0x041D},    {"th", 0x041E},    {"tr", 0x041F},    {"uk", 0x0422},    {"sl", 0x0424},
};

std::string LocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

std::optional<uint16_t> Find(std::string_view name) {
  for (const auto& l : kLocales) {
    if (name == l.name) return l.langId;
  }
  return std::nullopt;
}

}  // namespace

uint16_t UserDefaultLangID() {
  std::string name = LocaleName();
  name = name.substr(0, name.find_first_of(".@"));  // "de_DE.UTF-8@euro" -> "de_DE"
  if (auto exact = Find(name)) return *exact;
  if (auto language = Find(name.substr(0, name.find('_')))) return *language;
  return kEnglishUs;
}

std::optional<std::string> ComputerName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return std::nullopt;
  std::string name(host);
  name = name.substr(0, name.find('.'));
  if (name.empty()) return std::nullopt;
  if (name.size() > kComputerNameLength) name.resize(kComputerNameLength);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return zq::text::Utf8ToAnsi(name);
}

std::optional<std::string> UserName() {
  long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_name) {
    return std::nullopt;
  }
  return zq::text::Utf8ToAnsi(found->pw_name);
}

}  // namespace zq::sys
