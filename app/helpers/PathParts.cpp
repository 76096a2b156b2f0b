// Path and file-name surgery on Windows paths.
#include <algorithm>

#include "app/Helpers.h"
#include "app/Text.h"
#include "hostlib/Procedures.h"

namespace {

constexpr char kSep = '\\';


size_t CountItems(std::string_view text) { return static_cast<size_t>(std::count(text.begin(), text.end(), kSep)) + 1; }

}  // namespace

std::string GETROOT(std::string_view path) {
  const std::string q = CHECKPATH(path);
  if (q.starts_with("\\\\")) {
    size_t at = 0;
    for (int seen = 0; seen < 4; ++seen, ++at) {
      at = q.find(kSep, at);
      if (at == std::string::npos) return {};
    }
    return q.substr(0, at);
  }
  return q.substr(0, 3);
}

std::string GETUPDIR(std::string_view path, uint8_t* shortened) {
  const std::string q = CHECKPATH(path);
  const size_t items = CountItems(q);
  const bool hasParent = q.starts_with("\\\\") ? items > 5 : q.size() > 3 && items > 2;
  if (!hasParent) return q;
  // The item before the final empty one goes, with the "\" before it.
  const size_t last = q.size() - 1;
  const size_t before = q.rfind(kSep, last - 1);
  if (shortened) *shortened = 1;
  return q.substr(0, before + 1);
}

std::string GETFILE(std::string_view name) {
  const std::string n = WithoutTrailingBlanks(name);
  const size_t dot = n.rfind('.');
  return dot == std::string::npos ? n : n.substr(0, dot);
}

std::string GETEXT(std::string_view name) {
  const std::string n = WithoutTrailingBlanks(name);
  const size_t dot = n.rfind('.');
  return dot == std::string::npos ? std::string() : n.substr(dot + 1);
}

std::string GETSUBDIR(std::string_view path) {
  const std::string q = CHECKPATH(path);
  if (CountItems(q) < 2) return {};
  const size_t last = q.size() - 1;  // the final "\"
  const size_t before = last == 0 ? std::string::npos : q.rfind(kSep, last - 1);
  const size_t start = before == std::string::npos ? 0 : before + 1;
  return q.substr(start, last - start);
}

std::string FIXPATH(std::string_view path, std::string_view root) {
  if (TLEN(root) == 0) return {};
  const size_t rootLength = CHECKPATH(root).size();
  const std::string q = CHECKPATH(path);
  return CHECKPATH(rootLength - 1 < q.size() ? std::string_view(q).substr(rootLength - 1) : std::string_view());
}
