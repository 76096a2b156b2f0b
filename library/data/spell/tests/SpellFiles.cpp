#include "SpellFiles.h"

#include <fstream>
#include <iterator>

namespace spelltest {

std::string TempFolder::Write(const std::string& name, std::string_view bytes) const {
  std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return Path(name);
}

std::string TempFolder::Path(const std::string& name) const { return (dir_ / name).string(); }

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WindowsView(const std::string& posix) {
  std::string path = "C:" + posix;
  for (char& ch : path)
    if (ch == '/') ch = '\\';
  return path;
}

std::string EnUsAff() { return std::string(ZQ_EN_US_DICT_DIR) + "/en_US.aff"; }
std::string EnUsDic() { return std::string(ZQ_EN_US_DICT_DIR) + "/en_US.dic"; }

}  // namespace spelltest
