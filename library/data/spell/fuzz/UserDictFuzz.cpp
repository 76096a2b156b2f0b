// libFuzzer target: any bytes as a user-word file, loaded into a built checker, then saved.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "data/spell/ZQSpellDoc.h"

namespace {

struct Scratch {
  Scratch() {
    std::random_device rd;
    dir = std::filesystem::temp_directory_path() / ("zq_spell_fuzz_" + std::to_string(rd()));
    std::filesystem::create_directories(dir);
    Write("t.aff", "SET UTF-8\nTRY aeiou\nSFX S Y 1\nSFX S 0 s .\n");
    Write("t.dic", "2\nkatze/S\nhund\n");
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::string Write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return (dir / name).string();
  }
  std::filesystem::path dir;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Scratch scratch;
  std::string input = scratch.Write("user.dic", std::string_view(reinterpret_cast<const char*>(data), size));
  ZQSpellDoc doc(nullptr);
  if (doc.Init((scratch.dir / "t.aff").string(), (scratch.dir / "t.dic").string(), {}) != 0) return 0;
  int32_t read = doc.LoadUserDict(input);
  if (read != static_cast<int32_t>(size)) __builtin_trap();
  doc.Check("katzes");
  doc.SaveUserDict((scratch.dir / "out.dic").string());
  return 0;
}
