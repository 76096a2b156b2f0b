// Whole text, pieces, basic edits, case and trims.
#include "strings/XSObject.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "strings/Units.h"
#include "zqplatform/charset.h"

namespace units = zqv::units;

namespace {

using zqv::units::UpToNul;

std::size_t Clamp(int32_t value, std::size_t high) {
  return value <= 0 ? 0 : std::min(static_cast<std::size_t>(value), high);
}

// Start of the run at the end of text whose units all satisfy match.
template <class Match>
std::size_t RunAtEnd(std::string_view text, Match&& match) {
  std::size_t end = text.size();
  while (end > 0) {
    std::size_t prev = units::UnitBefore(text, end);
    if (!match(text, prev, end - prev)) break;
    end = prev;
  }
  return end;
}

// End of the run at the start of text whose units all satisfy match.
template <class Match>
std::size_t RunAtStart(std::string_view text, Match&& match) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t len = units::UnitLen(text, pos);
    if (!match(text, pos, len)) break;
    pos += len;
  }
  return pos;
}

auto SingleByte(char ch) {
  return [ch](std::string_view text, std::size_t pos, std::size_t len) {
    return len == 1 && text[pos] == ch;
  };
}

bool WhiteUnit(std::string_view text, std::size_t pos, std::size_t len) {
  return len == 1 && zq::text::IsSpace(text[pos]);
}

auto InSet(const zqv::units::CharSet& set) {
  return [&set](std::string_view text, std::size_t pos, std::size_t len) {
    return set.Contains(text, pos, len);
  };
}

}  // namespace

XSObject::XSObject(std::string_view text) : text_(text) {}

void XSObject::CheckLength(std::size_t length) {
  if (length > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
    throw std::length_error("text too long");
  }
}

XSObject& XSObject::operator=(const XSObject& other) {
  if (this != &other) Edit() = other.text_;
  return *this;
}

std::string& XSObject::Edit() {
  nul_.store(kNulUnknown, std::memory_order_relaxed);
  return text_;
}

void XSObject::CutStart(std::size_t n) {
  if (n == 0) return;
  std::size_t nul = ToNul().size();
  Edit().erase(0, n);
  nul_.store(nul - n, std::memory_order_relaxed);
}

void XSObject::CutEnd(std::size_t at) {
  Edit().resize(at);
  nul_.store(at, std::memory_order_relaxed);
}

std::string_view XSObject::ToNul() const {
  std::size_t nul = nul_.load(std::memory_order_relaxed);
  if (nul == kNulUnknown) {
    nul = UpToNul(text_).size();
    nul_.store(nul, std::memory_order_relaxed);
  }
  return std::string_view(text_).substr(0, nul);
}

void XSObject::Set(std::string_view text) {
  CheckLength(text.size());
  Edit().assign(text);
}

void XSObject::Append(std::string_view text) {
  CheckLength(text_.size() + text.size());
  Edit().append(text);
}

void XSObject::AppendAfterFill(std::size_t count, char ch, std::string_view text) {
  CheckLength(text_.size() + count + text.size());
  Edit().append(count, ch).append(text);
}

bool XSObject::SetAt(int32_t index, char ch) {
  if (index < 0 || index >= GetLength()) return false;
  Edit()[index] = ch;
  return true;
}

std::string XSObject::Mid(int32_t first, int32_t count) const {
  std::size_t from = Clamp(first, text_.size());
  return text_.substr(from, Clamp(count, text_.size() - from));
}

std::string XSObject::Mid(int32_t first) const {
  return Mid(first, std::numeric_limits<int32_t>::max());
}

std::string XSObject::Left(int32_t count) const { return text_.substr(0, Clamp(count, text_.size())); }

std::string XSObject::Right(int32_t count) const {
  std::size_t n = Clamp(count, text_.size());
  return text_.substr(text_.size() - n);
}

std::string XSObject::SpanIncluding(std::string_view set, int32_t start) const {
  std::string_view text = ToNul();
  std::size_t from = Clamp(start, text.size());
  units::CharSet chars(UpToNul(set));
  return std::string(text.substr(from, units::SpanEnd(text, from, chars, true) - from));
}

std::string XSObject::SpanExcluding(std::string_view set, int32_t start) const {
  std::string_view text = ToNul();
  std::size_t from = Clamp(start, text.size());
  units::CharSet chars(UpToNul(set));
  return std::string(text.substr(from, units::SpanEnd(text, from, chars, false) - from));
}

int32_t XSObject::Insert(int32_t index, char ch) {
  CheckLength(text_.size() + 1);
  std::size_t at = Clamp(index, text_.size());
  Edit().insert(at, 1, ch);
  return GetLength();
}

int32_t XSObject::Insert(int32_t index, std::string_view text) {
  text = UpToNul(text);
  CheckLength(text_.size() + text.size());
  std::size_t at = Clamp(index, text_.size());
  Edit().insert(at, text);
  return GetLength();
}

int32_t XSObject::Delete(int32_t index, int32_t count) {
  std::size_t from = Clamp(index, text_.size());
  std::size_t n = Clamp(count, text_.size() - from);
  if (n > 0) Edit().erase(from, n);
  return GetLength();
}

int32_t XSObject::Remove(char ch) {
  std::size_t before = text_.size();
  std::string_view text = text_;
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = units::UnitLen(text, pos);
    if (text[pos] != ch) kept.append(text.substr(pos, len));
    pos += len;
  }
  Edit().swap(kept);
  return static_cast<int32_t>(before - text_.size());
}

int32_t XSObject::Replace(char oldCh, char newCh) {
  if (oldCh == newCh) return 0;
  std::string& text = Edit();
  int32_t replaced = 0;
  for (std::size_t at = units::FindByte(text, 0, oldCh); at != units::npos;
       at = units::FindByte(text, at + 1, oldCh)) {
    text[at] = newCh;
    ++replaced;
  }
  return replaced;
}

void XSObject::MakeUpper() {
  std::string& text = Edit();
  zq::text::MakeUpper(text.data(), text.size());
}

void XSObject::MakeLower() {
  std::string& text = Edit();
  zq::text::MakeLower(text.data(), text.size());
}

void XSObject::MakeReverse() {
  std::string_view text = text_;
  std::string reversed;
  reversed.reserve(text.size());
  for (std::size_t end = text.size(); end > 0;) {
    std::size_t prev = units::UnitBefore(text, end);
    reversed.append(text.substr(prev, end - prev));
    end = prev;
  }
  Edit().swap(reversed);
}

void XSObject::TrimLeft(char ch) { CutStart(RunAtStart(ToNul(), SingleByte(ch))); }

void XSObject::TrimLeft() { CutStart(RunAtStart(ToNul(), WhiteUnit)); }

void XSObject::TrimLeft(std::string_view set) {
  units::CharSet chars(UpToNul(set));
  CutStart(RunAtStart(ToNul(), InSet(chars)));
}

// A run that ends at the first NUL byte cuts the text there, whatever follows the NUL.
void XSObject::TrimRight(char ch) {
  std::string_view text = ToNul();
  std::size_t cut = RunAtEnd(text, SingleByte(ch));
  if (cut < text.size()) CutEnd(cut);
}

void XSObject::TrimRight() {
  std::string_view text = ToNul();
  std::size_t cut = RunAtEnd(text, WhiteUnit);
  if (cut < text.size()) CutEnd(cut);
}

void XSObject::TrimRight(std::string_view set) {
  std::string_view text = ToNul();
  units::CharSet chars(UpToNul(set));
  std::size_t cut = RunAtEnd(text, InSet(chars));
  if (cut < text.size()) CutEnd(cut);
}
