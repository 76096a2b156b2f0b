#include "ini/ProfileText.h"

#include "zqplatform/charset.h"

namespace zq::rt::ini {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view t) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return t;
}

bool Same(std::string_view a, std::string_view b) { return zq::text::CompareNoCase(a, b) == 0; }

// The section name of a "[name]" line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const size_t close = line.find(']');
  return Trim(line.substr(0, close));
}

// The key of a "key=value" line, and its value.
bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

std::string_view Unquoted(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

ProfileText::ProfileText(std::string_view content) {
  const size_t firstLf = content.find('\n');
  if (firstLf != std::string_view::npos && (firstLf == 0 || content[firstLf - 1] != '\r')) {
    eol_ = "\n";
  }
  finalEol_ = content.empty() || content.back() == '\n';
  while (!content.empty()) {
    const size_t lf = content.find('\n');
    std::string_view line = content.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (lf == std::string_view::npos) break;
    content.remove_prefix(lf + 1);
  }
}

size_t ProfileText::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string_view line = lines_[i];
    if (i == 0 && line.substr(0, kBom.size()) == kBom) line.remove_prefix(kBom.size());
    const auto name = SectionOf(line);
    if (name && Same(*name, section)) return i;
  }
  return lines_.size();
}

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
  key = Trim(key);
  for (size_t i = FindSection(Trim(section)) + 1; i < lines_.size(); ++i) {
    if (SectionOf(lines_[i])) break;
    std::string_view k, v;
    if (KeyOf(lines_[i], k, v) && Same(k, key)) return std::string(Unquoted(v));
  }
  return std::nullopt;
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  const size_t header = FindSection(section);
  if (header == lines_.size()) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::string(key) + "=" + std::string(value));
    finalEol_ = true;
    return;
  }
  size_t insertAt = header + 1;
  for (size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionOf(lines_[i])) break;
    std::string_view k, v;
    if (KeyOf(lines_[i], k, v) && Same(k, key)) {
      lines_[i] = std::string(k) + "=" + std::string(value);
      return;
    }
    if (!Trim(lines_[i]).empty()) insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                std::string(key) + "=" + std::string(value));
  if (insertAt == lines_.size() - 1) finalEol_ = true;
}

std::string ProfileText::Content() const {
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || finalEol_) out += eol_;
  }
  return out;
}

bool IsValidEntry(std::string_view section, std::string_view key, std::string_view value) {
  const auto breaksLine = [](std::string_view t) {
    return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
  };
  if (breaksLine(section) || breaksLine(key) || breaksLine(value)) return false;
  if (Trim(key).empty() || key.find('=') != std::string_view::npos) return false;
  if (Trim(key).front() == '[') return false;
  return section.find(']') == std::string_view::npos;
}

}  // namespace zq::rt::ini
