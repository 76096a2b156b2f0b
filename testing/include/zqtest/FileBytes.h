// A file's bytes as they stand on disk; empty for a missing file.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zqtest {

inline std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace zqtest
