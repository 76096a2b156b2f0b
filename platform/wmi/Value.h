// A property's value as a class reads it from the system.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zq::wmi {

using TextList = std::vector<std::string>;

// Null (no value), a boolean, a signed or unsigned number, a real, a UTF-8 text (date-times
// too) or a list of texts.
struct Value {
  std::variant<std::monostate, bool, int64_t, uint64_t, double, std::string, TextList> data;

  Value() = default;
  Value(bool b) : data(b) {}
  Value(int32_t n) : data(int64_t{n}) {}
  Value(int64_t n) : data(n) {}
  Value(uint32_t n) : data(uint64_t{n}) {}
  Value(uint64_t n) : data(n) {}
  Value(double d) : data(d) {}
  Value(std::string s) : data(std::move(s)) {}
  Value(const char* s) : data(std::string(s)) {}
  Value(TextList list) : data(std::move(list)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(data); }
  bool IsText() const { return std::holds_alternative<std::string>(data); }
  bool IsList() const { return std::holds_alternative<TextList>(data); }
  // The value as a number, for booleans (1, 0) and numbers; none for the others.
  bool Number(long double& n) const;
  // The value as text: decimal numbers, "TRUE"/"FALSE", reals to 15 digits; lists and null
  // give the empty text.
  std::string Text() const;
};

// An optional read from the system: a value when there is one, else null.
template <class T>
Value ValueOr(const std::optional<T>& v) {
  return v ? Value(*v) : Value();
}

}  // namespace zq::wmi
