#include "zqruntime/picture.h"

#include <cctype>
#include <cmath>
#include <string>

#include "zqplatform/numbers.h"

namespace zq::rt {
namespace {

struct NumberPicture {
  char fill = ' ';
  size_t width = 0;
  char grouping = 0;
  char decimalMark = '.';
  int places = 0;
  bool blankWhenZero = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsMark(char c) { return c == '.' || c == ',' || c == '-'; }

// "@N" [fill] width [grouping] [mark places] ["B"] ["@"]; false when it is not one.
bool ParseNumberPicture(std::string_view p, NumberPicture& out) {
  if (p.size() < 2 || p[0] != '@' || (p[1] != 'N' && p[1] != 'n')) return false;
  size_t i = 2;
  if (i < p.size() && (p[i] == '_' || p[i] == '0')) out.fill = p[i++] == '0' ? '0' : ' ';
  if (i >= p.size() || !IsDigit(p[i])) return false;
  while (i < p.size() && IsDigit(p[i])) {
    out.width = out.width * 10 + static_cast<size_t>(p[i++] - '0');
    if (out.width > 255) return false;
  }
  if (i < p.size() && IsMark(p[i]) && !(i + 1 < p.size() && IsDigit(p[i + 1]))) {
    out.grouping = p[i++];
  }
  if (i + 1 < p.size() && (p[i] == '.' || p[i] == ',') && IsDigit(p[i + 1])) {
    out.decimalMark = p[i++];
    while (i < p.size() && IsDigit(p[i])) {
      out.places = out.places * 10 + (p[i++] - '0');
      if (out.places > 15) return false;
    }
  }
  if (i < p.size() && (p[i] == 'B' || p[i] == 'b')) {
    out.blankWhenZero = true;
    ++i;
  }
  if (i < p.size() && p[i] == '@') ++i;
  return i == p.size();
}

std::string Group(const std::string& digits, char mark) {
  if (!mark) return digits;
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += mark;
    out += digits[i];
  }
  return out;
}

std::string FormatNumber(const NumberPicture& pic, double value) {
  if (!std::isfinite(value)) value = 0;
  const double scale = std::pow(10.0, pic.places);
  const double rounded = std::round(std::fabs(value) * scale);
  if (pic.blankWhenZero && rounded == 0) return std::string(pic.width, ' ');
  if (rounded >= 1e18) return std::string(pic.width, '#');
  const std::string all = WholeText(static_cast<int64_t>(rounded));
  const size_t places = static_cast<size_t>(pic.places);
  const std::string padded =
      all.size() <= places ? std::string(places + 1 - all.size(), '0') + all : all;
  std::string text = Group(padded.substr(0, padded.size() - places), pic.grouping);
  if (places > 0) text += pic.decimalMark + padded.substr(padded.size() - places);
  const bool negative = value < 0 && rounded != 0;
  const size_t needed = text.size() + (negative ? 1 : 0);
  if (needed > pic.width) return std::string(pic.width, '#');
  if (pic.fill == '0') return (negative ? "-" : "") + std::string(pic.width - needed, '0') + text;
  return std::string(pic.width - needed, ' ') + (negative ? "-" : "") + text;
}

bool IsTimePicture(std::string_view p) { return p == "@T" || p == "@t" || p == "@T@"; }

}  // namespace

bool IsValuePicture(std::string_view picture) {
  NumberPicture pic;
  return ParseNumberPicture(picture, pic) || IsTimePicture(picture);
}

std::string WholeText(int64_t value) { return zq::text::FormatInteger(value); }

std::string RealText(double value) { return zq::text::FormatPlain(value, 15); }

std::string TimeOfHundredths(int64_t hundredths) {
  constexpr int64_t kDay = 24 * 60 * 60;
  int64_t seconds = (hundredths / 100) % kDay;
  if (seconds < 0) seconds += kDay;
  const auto two = [](int64_t v) { return std::string{char('0' + v / 10), char('0' + v % 10)}; };
  return two(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

std::string FormatPicture(std::string_view picture, double value) {
  NumberPicture pic;
  if (ParseNumberPicture(picture, pic)) return FormatNumber(pic, value);
  if (IsTimePicture(picture)) {
    return TimeOfHundredths(static_cast<int64_t>(std::isfinite(value) ? std::trunc(value) : 0));
  }
  return RealText(value);
}

}  // namespace zq::rt
