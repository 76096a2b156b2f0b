// Variables a control shows, read and written as text.
#include <charconv>
#include <cmath>
#include <limits>

#include "zqruntime/picture.h"
#include "zqruntime/window.h"

namespace zq::rt {

namespace {

// The decimal value of a text, 0 when it is not a number.
double NumberOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  double v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return ec == std::errc() && std::isfinite(v) ? v : 0;
}

// A whole number kept in the variable's width (its low bits).
template <typename T>
Binding WholeBinding(T& value) {
  return Binding{[&value] { return WholeText(value); },
                 [&value](std::string_view t) {
                   double v = NumberOf(t);
                   int64_t whole = (v >= -9.2e18 && v <= 9.2e18) ? static_cast<int64_t>(v) : 0;
                   value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<uint64_t>(whole)));
                 }};
}

}  // namespace

Binding Bind(std::string& text) {
  return Binding{[&text] { return text; }, [&text](std::string_view t) { text = std::string(t); }};
}

Binding Bind(int32_t& value) { return WholeBinding(value); }
Binding Bind(int16_t& value) { return WholeBinding(value); }
Binding Bind(uint8_t& value) { return WholeBinding(value); }

Binding Bind(double& value) {
  return Binding{[&value] { return RealText(value); }, [&value](std::string_view t) { value = NumberOf(t); }};
}

Binding Bind(RecordRef record, std::string_view field) {
  std::string name(field);
  return Binding{[record, name] { return record.Text(name); },
                 [record, name](std::string_view t) mutable { record.SetText(name, t); }};
}

}  // namespace zq::rt
