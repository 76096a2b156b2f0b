// Build tool: reads window definitions and writes a header with the numbers of their named
// controls, one namespace per definition named after its file:
//
//   zqr_control_numbers OUT.h orvid::res ErrorDialog.win MessageDialog.win ...
//
// gives orvid::res::ErrorDialog::Message and so on. A definition that does not parse stops the
// build with its file and line. The header is rewritten only when its text changes.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "zqruntime/windef.h"

namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: zqr_control_numbers OUT.h NAMESPACE FILE.win...\n";
    return 2;
  }
  std::ostringstream out;
  out << "// Generated at build time from the window definitions: the numbers of their named controls.\n"
      << "#pragma once\n#include <cstdint>\n\nnamespace " << argv[2] << " {\n";
  for (int i = 3; i < argc; ++i) {
    std::filesystem::path file = argv[i];
    std::ifstream probe(file);
    if (!probe) {
      std::cerr << file.string() << ": cannot be read\n";
      return 1;
    }
    zq::rt::ParsedDefinition p = zq::rt::ParseWindowDefinition(ReadFile(file));
    if (!p.window) {
      std::cerr << file.string() << ":" << p.errorLine << ": " << p.error << "\n";
      return 1;
    }
    std::string window = file.stem().string();
    out << "\nnamespace " << window << " {\n";
    for (const zq::rt::ControlDef& c : p.window->controls) {
      if (!c.name.empty()) out << "inline constexpr int32_t " << c.name << " = " << c.number << ";\n";
    }
    out << "}  // namespace " << window << "\n";
  }
  out << "\n}  // namespace " << argv[2] << "\n";
  std::filesystem::path header = argv[1];
  if (std::filesystem::exists(header) && ReadFile(header) == out.str()) return 0;
  std::filesystem::create_directories(header.parent_path());
  std::ofstream written(header, std::ios::binary);
  written << out.str();
  if (!written.flush()) {
    std::cerr << header.string() << ": cannot be written\n";
    return 1;
  }
  return 0;
}
