#include "DateText.h"

#include <cctype>
#include <ctime>
#include <vector>

#include "DateMath.h"
#include "zqplatform/numbers.h"

namespace zq::db {

namespace {

void Append(std::string& out, int value, int width = 1) {
  const std::string digits = zq::text::FormatInteger(value);
  for (int pad = width - static_cast<int>(digits.size()); pad > 0; --pad) out += '0';
  out += digits;
}

struct Token {
  enum Kind { Number, Word, Separator } kind;
  std::string text;
  int value = 0;
};

std::vector<Token> Tokenize(std::string_view text, bool& ok) {
  std::vector<Token> tokens;
  ok = true;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      std::size_t j = i;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      if (j - i > 9) {
        ok = false;
        return {};
      }
      Token t{Token::Number, std::string(text.substr(i, j - i))};
      t.value = static_cast<int>(zq::text::ReadWholeInteger(t.text).value_or(0));
      tokens.push_back(std::move(t));
      i = j;
    } else if (std::isalpha(c)) {
      std::size_t j = i;
      while (j < text.size() && std::isalpha(static_cast<unsigned char>(text[j]))) ++j;
      std::string word(text.substr(i, j - i));
      for (char& ch : word) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      tokens.push_back({Token::Word, std::move(word)});
      i = j;
    } else if (c == ' ' || c == '\t') {
      ++i;
    } else if (c == '/' || c == '-' || c == '.' || c == ':' || c == ',') {
      tokens.push_back({Token::Separator, std::string(1, static_cast<char>(c))});
      ++i;
    } else {
      ok = false;
      return {};
    }
  }
  return tokens;
}

int MonthFromWord(const std::string& word) {
  static constexpr const char* kMonths[12] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",
                                              "MAY",     "JUNE",     "JULY",      "AUGUST",
                                              "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
  for (int m = 0; m < 12; ++m) {
    const std::string_view full = kMonths[m];
    if (word == full || (word.size() == 3 && full.substr(0, 3) == word) ||
        (word == "SEPT" && m == 8))
      return m + 1;
  }
  return 0;
}

bool IsSeparator(const Token& t, char c) { return t.kind == Token::Separator && t.text[0] == c; }

// Takes "h:mm[:ss[.fff]] [AM|PM]" out of the tokens.
bool TakeTime(std::vector<Token>& tokens, bool& found, int& seconds) {
  found = false;
  for (std::size_t i = 0; i + 2 < tokens.size(); ++i) {
    if (tokens[i].kind != Token::Number || !IsSeparator(tokens[i + 1], ':')) continue;
    if (tokens[i + 2].kind != Token::Number) return false;
    int hour = tokens[i].value, minute = tokens[i + 2].value, second = 0;
    std::size_t end = i + 3;
    if (end + 1 < tokens.size() && IsSeparator(tokens[end], ':') &&
        tokens[end + 1].kind == Token::Number) {
      second = tokens[end + 1].value;
      end += 2;
      if (end + 1 < tokens.size() && IsSeparator(tokens[end], '.') &&
          tokens[end + 1].kind == Token::Number)
        end += 2;  // fractions of a second are dropped
    }
    if (end < tokens.size() && tokens[end].kind == Token::Word &&
        (tokens[end].text == "AM" || tokens[end].text == "PM")) {
      if (hour < 1 || hour > 12) return false;
      hour = hour % 12 + (tokens[end].text == "PM" ? 12 : 0);
      ++end;
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                 tokens.begin() + static_cast<std::ptrdiff_t>(end));
    found = true;
    seconds = hour * 3600 + minute * 60 + second;
    return true;
  }
  return true;
}

int FullYear(const Token& t) {
  if (t.text.size() > 2) return t.value;
  return t.value < 30 ? 2000 + t.value : 1900 + t.value;
}

int CurrentYear() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

// Reads the date from what is left: numbers, at most one month name, separators and "T".
bool TakeDate(const std::vector<Token>& tokens, bool& found, int& year, int& month, int& day) {
  std::vector<const Token*> numbers;
  int namedMonth = 0;
  for (const Token& t : tokens) {
    if (t.kind == Token::Number) {
      numbers.push_back(&t);
    } else if (t.kind == Token::Word) {
      if (t.text == "T") continue;
      const int m = MonthFromWord(t.text);
      if (!m || namedMonth) return false;
      namedMonth = m;
    }
  }
  found = !numbers.empty() || namedMonth;
  if (!found) return true;
  if (namedMonth) {
    if (numbers.size() != 2) return false;
    month = namedMonth;
    const bool yearFirst = numbers[0]->text.size() > 2 || numbers[0]->value > 31;
    const Token& d = yearFirst ? *numbers[1] : *numbers[0];
    const Token& y = yearFirst ? *numbers[0] : *numbers[1];
    day = d.value;
    year = FullYear(y);
    return true;
  }
  if (numbers.size() == 2) {
    month = numbers[0]->value;
    day = numbers[1]->value;
    year = CurrentYear();
    return true;
  }
  if (numbers.size() != 3) return false;
  if (numbers[0]->text.size() > 2) {
    year = numbers[0]->value;
    month = numbers[1]->value;
    day = numbers[2]->value;
  } else {
    month = numbers[0]->value;
    day = numbers[1]->value;
    year = FullYear(*numbers[2]);
  }
  return true;
}

}  // namespace

std::string FormatUsDate(const SYSTEMTIME& st) {
  std::string out;
  const bool midnight = st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0;
  const bool dayZero = st.wYear == 1899 && st.wMonth == 12 && st.wDay == 30;
  if (!dayZero) {
    Append(out, st.wMonth);
    out += '/';
    Append(out, st.wDay);
    out += '/';
    Append(out, st.wYear);
    if (midnight) return out;
    out += ' ';
  }
  const int hour12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
  Append(out, hour12);
  out += ':';
  Append(out, st.wMinute, 2);
  out += ':';
  Append(out, st.wSecond, 2);
  out += st.wHour < 12 ? " AM" : " PM";
  return out;
}

bool ParseUsDate(std::string_view text, DATE& out) {
  bool ok = false;
  std::vector<Token> tokens = Tokenize(text, ok);
  if (!ok || tokens.empty()) return false;
  bool hasTime = false, hasDate = false;
  int seconds = 0;
  if (!TakeTime(tokens, hasTime, seconds)) return false;
  int year = 1899, month = 12, day = 30;
  if (!TakeDate(tokens, hasDate, year, month, day)) return false;
  if (!hasDate && !hasTime) return false;
  return EncodeDate(year, month, day, seconds / 3600, seconds / 60 % 60, seconds % 60, out);
}

}  // namespace zq::db
