#include "SqlText.h"

#include <cctype>
#include <vector>

#include "zqplatform/charset.h"

namespace zq::db {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

char Closing(char open) { return open == '[' ? ']' : open; }

// Calls visit(position) for every position outside quotes, brackets and parentheses where a
// word may begin; visit returns false to stop.
template <class Visit>
void ScanTopLevel(std::string_view sql, Visit&& visit) {
  char quote = 0;
  int depth = 0;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      quote = Closing(c);
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    if (depth > 0 || c == '(' || c == ')') continue;
    if (i > 0 && IsNameChar(sql[i - 1])) continue;
    if (!visit(i)) return;
  }
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size() || zq::text::CompareNoCase(text.substr(0, word.size()), word) != 0)
    return false;
  return text.size() == word.size() || !IsNameChar(text[word.size()]);
}

std::size_t ColumnListEnd(std::string_view sql) {
  std::size_t found = std::string_view::npos;
  ScanTopLevel(sql, [&](std::size_t i) {
    if (!StartsWithWord(sql.substr(i), "FROM")) return true;
    found = i;
    return false;
  });
  return found;
}

std::string TableOf(std::string_view sql) {
  const std::size_t from = ColumnListEnd(sql);
  if (from == std::string_view::npos) return {};
  if (sql.size() > 6 && StartsWithWord(Trimmed(sql.substr(6)), "DISTINCT")) return {};
  std::string_view rest = Trimmed(sql.substr(from + 4));
  std::size_t end = 0;
  if (!rest.empty() && (rest[0] == '"' || rest[0] == '[' || rest[0] == '`')) {
    end = rest.find(Closing(rest[0]), 1);
    if (end == std::string_view::npos) return {};
    ++end;
  }
  while (end < rest.size() && (IsNameChar(rest[end]) || rest[end] == '.' || rest[end] == '"')) {
    if (rest[end] == '"') {  // a quoted part after a dot: schema."Name"
      const std::size_t close = rest.find('"', end + 1);
      if (close == std::string_view::npos) return {};
      end = close;
    }
    ++end;
  }
  const std::string table(rest.substr(0, end));
  const std::string_view after = rest.substr(end);
  // A second table (a comma or a join), or rows that are not the table's own.
  bool several = false, filtered = false;
  ScanTopLevel(after, [&](std::size_t i) {
    const std::string_view at = after.substr(i);
    if (StartsWithWord(at, "WHERE") || StartsWithWord(at, "ORDER") || StartsWithWord(at, "LIMIT")) filtered = true;
    if (!filtered && (at[0] == ',' || StartsWithWord(at, "JOIN"))) several = true;
    for (std::string_view word : {"GROUP", "UNION", "INTERSECT", "EXCEPT", "HAVING"})
      if (StartsWithWord(at, word)) several = true;
    return !several;
  });
  return several ? std::string() : table;
}

std::string QuoteIdentifier(std::string_view name, std::string_view quote) {
  if (Trimmed(quote).empty()) return std::string(name);
  std::string quoted(quote);
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name.substr(i, quote.size()) == quote) quoted += quote;
    quoted += name[i];
  }
  quoted += quote;
  return quoted;
}

TableName SplitTableName(std::string_view written, int identifierCase) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < written.size(); ++i) {
    const char c = written[i];
    if (c == '"' || c == '[' || c == '`') {
      const char close = Closing(c);
      for (++i; i < written.size(); ++i) {
        if (written[i] == close) {
          if (i + 1 < written.size() && written[i + 1] == close && close != ']') {
            parts.back() += close;
            ++i;
            continue;
          }
          break;
        }
        parts.back() += written[i];
      }
    } else if (c == '.') {
      parts.emplace_back();
    } else {
      char mapped = c;
      if (identifierCase == 1) mapped = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (identifierCase == 2) mapped = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      parts.back() += mapped;
    }
  }
  TableName result;
  result.name = parts.back();
  if (parts.size() >= 2) result.schema = parts[parts.size() - 2];
  return result;
}

}  // namespace zq::db
