// Variables a control shows, read and written as text.
#include <type_traits>

#include "queues/FieldValue.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"

namespace zq::rt {

namespace {

// A whole number kept in the variable's width (its low bits).
template <typename T>
Binding WholeBinding(T& value) {
  return Binding{[&value] { return WholeText(value); },
                 [&value](std::string_view t) {
                   auto whole = static_cast<uint64_t>(field::ParseWhole(t));
                   value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(whole));
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
  return Binding{[&value] { return RealText(value); },
                 [&value](std::string_view t) { value = field::ParseReal(t); }};
}

Binding Bind(RecordRef record, std::string_view field) {
  std::string name(field);
  return Binding{[record, name] { return record.Text(name); },
                 [record, name](std::string_view t) mutable { record.SetText(name, t); }};
}

Binding Bind(RecordRef record, const FieldRefBase& field) {
  return Binding{[record, field] { return field.Text(record); },
                 [record, field](std::string_view t) mutable { field.SetText(record, t); }};
}

}  // namespace zq::rt
