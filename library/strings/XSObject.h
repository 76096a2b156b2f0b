// The string object: a byte text in the ANSI code page with the library's text algorithms.
//
// Positions are 0-based byte indexes and lengths byte counts. Operations "by characters" step
// over a character unit of the code page (zqplatform/charset.h) as one and match a search byte
// only against a unit that is that single byte. Operations "to NUL" read the text, or a text
// argument, only up to its first NUL byte. A character argument is one byte.
// Negative positions and counts that the rules leave open count as 0; a start past the end
// gives the empty text or nothing found. A text never grows past 2^31 - 1 bytes (the attempt
// throws std::length_error and leaves the text as it was).
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

class XSObject {
 public:
  XSObject() = default;
  explicit XSObject(std::string_view text);
  XSObject(const XSObject& other) : text_(other.text_) {}
  XSObject& operator=(const XSObject& other);

  // The whole text, NUL bytes included.
  const std::string& Text() const { return text_; }
  // The text up to its first NUL byte.
  std::string_view ToNul() const;
  int32_t GetLength() const { return static_cast<int32_t>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }

  void Set(std::string_view text);
  void Append(std::string_view text);
  void Empty() { Edit().clear(); }
  // False when index is not within the text.
  bool SetAt(int32_t index, char ch);

  // Pieces (new texts; the object is unchanged).
  std::string Mid(int32_t first, int32_t count) const;
  std::string Mid(int32_t first) const;
  std::string Left(int32_t count) const;
  std::string Right(int32_t count) const;
  std::string SpanIncluding(std::string_view set, int32_t start) const;
  std::string SpanExcluding(std::string_view set, int32_t start) const;

  // Basic edits; the integer results are the new length or the number of bytes changed.
  int32_t Insert(int32_t index, char ch);
  int32_t Insert(int32_t index, std::string_view text);
  int32_t Delete(int32_t index, int32_t count);
  // Removes every character whose first byte is ch.
  int32_t Remove(char ch);
  // Sets every single-byte character old to new (a longer character is never split).
  int32_t Replace(char oldCh, char newCh);
  void MakeUpper();
  void MakeLower();
  void MakeReverse();
  void TrimLeft(char ch);
  void TrimLeft();
  void TrimLeft(std::string_view set);
  void TrimRight(char ch);
  void TrimRight();
  void TrimRight(std::string_view set);

  // Searches: positions or -1.
  int32_t Find(char ch, int32_t start) const;
  int32_t Find(std::string_view text, int32_t start) const;
  int32_t FindOneOf(std::string_view set, int32_t start) const;
  int32_t ReverseFindChr(char ch, int32_t position, int32_t fromEnd) const;

  // Counting.
  int32_t CountChr(char ch, int32_t start) const;
  int32_t CountItems(char ch) const;
  int32_t ReverseCount(char ch, int32_t position) const;

  // The library's own edits.
  void TrimAll(char ch);
  void InvertCase();
  void Capitalize();
  void ReplaceRange(int32_t position, int32_t count, std::string_view text);
  int32_t ReplaceStr(std::string_view find, std::string_view replacement, int32_t start);
  // Word wrap; a width below 1 changes nothing.
  void TextFormat(int32_t width, char breakChar);

  // Items separated by a delimiter byte.
  std::string GetSubString(int32_t item, char ch, int32_t maxLength = 0) const;
  void SetSubString(int32_t item, char ch, std::string_view text);
  void InsSubString(int32_t item, char ch, std::string_view text);
  void DelSubString(int32_t item, char ch);

  // Comparison of the part chosen by mode with other: -1, 0 or 1; case-blind: <0, 0, >0.
  int32_t Compare(std::string_view other, int32_t mode) const;
  int32_t CompareNC(std::string_view other, int32_t mode) const;

  // The next word made of wordSet's bytes at or after position, skipping control sequences;
  // position becomes the word's start, or -1 when there is none.
  std::string FindWord(int32_t& position, std::string_view wordSet) const;

  // Code conversions in place.
  void ToAnsi();
  void Utf8ToAnsi();
  void AnsiToUtf8();

  // Whole-file transfer through a file object of the library's own for the one call
  // (defined with the file object).
  int32_t ReadFromFile(std::string_view name, int32_t count, int32_t offset, uint32_t access,
                       uint32_t share, uint32_t disposition, uint32_t flags);
  int32_t WriteToFile(std::string_view name, int32_t count, int32_t offset, uint32_t access,
                      uint32_t share, uint32_t disposition, uint32_t flags) const;

 private:
  // The part of the text that Compare and CompareNC look at; false for a mode that picks none.
  bool ComparedPart(std::string_view other, int32_t mode, std::string_view& part) const;
  // Start of item (1-based) or npos; found is the number of delimiters passed.
  std::size_t ItemStart(int32_t item, char ch, int32_t& found) const;

  // Throws std::length_error for a length past 2^31 - 1 bytes.
  static void CheckLength(std::size_t length);
  // Every change of the text goes through Edit(), which forgets where the first NUL byte is.
  // Read the NUL position (ToNul) before calling Edit() for a change, never between them.
  std::string& Edit();
  // Removes the first n bytes, or cuts the text at a position; both within the text to NUL.
  void CutStart(std::size_t n);
  void CutEnd(std::size_t at);
  // Appends count bytes ch, then text, without a copy in between.
  void AppendAfterFill(std::size_t count, char ch, std::string_view text);

  static constexpr std::size_t kNulUnknown = static_cast<std::size_t>(-1);

  std::string text_;
  // Position of the first NUL byte (the length when there is none), found on first need.
  mutable std::atomic<std::size_t> nul_{kNulUnknown};
};

// Two upper-case hexadecimal digits of a byte, the high half first.
std::string ByteToHex(unsigned char byte);
