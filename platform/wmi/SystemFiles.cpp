#include "SystemFiles.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace zq::wmi {

std::optional<std::string> SystemFiles::Read(std::string_view path) const {
  std::ifstream in(Full(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

std::optional<std::string> SystemFiles::Line(std::string_view path) const {
  auto text = Read(path);
  if (!text) return std::nullopt;
  std::string line = Trim(std::string_view(*text).substr(0, text->find('\n')));
  if (line.empty()) return std::nullopt;
  return line;
}

std::optional<uint64_t> SystemFiles::Number(std::string_view path) const {
  auto line = Line(path);
  return line ? LeadingNumber(*line) : std::nullopt;
}

std::vector<std::string> SystemFiles::List(std::string_view folder) const {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(Full(folder), error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> SystemFiles::Link(std::string_view path) const {
  std::error_code error;
  auto target = std::filesystem::read_symlink(Full(path), error);
  if (error) return std::nullopt;
  return target.string();
}

std::string Trim(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::map<std::string, std::string, std::less<>> KeyValues(std::string_view text, char separator) {
  std::map<std::string, std::string, std::less<>> values;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::size_t at = line.find(separator);
    if (at == std::string_view::npos) continue;
    values.emplace(Trim(line.substr(0, at)), Trim(line.substr(at + 1)));
  }
  return values;
}

std::map<std::string, std::string, std::less<>> Assignments(std::string_view text) {
  auto values = KeyValues(text, '=');
  for (auto& [key, value] : values) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
  }
  return values;
}

std::optional<uint64_t> LeadingNumber(std::string_view text) {
  std::string trimmed = Trim(text);
  uint64_t n = 0;
  auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), n);
  if (error != std::errc() || end == trimmed.data()) return std::nullopt;
  return n;
}

}  // namespace zq::wmi
