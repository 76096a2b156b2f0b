#include "arrays/RevArray.h"

#include <algorithm>
#include <cstring>

#include "arrays/ArrayStore.h"
#include "arrays/ArrayText.h"

namespace {

// A text given as (pointer, length): 0 reads to the first NUL byte; null or negative is empty.
std::string_view LengthText(const char* text, int32_t length) {
  if (!text || length < 0) return {};
  if (length == 0) return std::string_view(text);
  return {text, static_cast<std::size_t>(length)};
}

int32_t Count(std::size_t n) { return static_cast<int32_t>(std::min<std::size_t>(n, INT32_MAX)); }

}  // namespace

std::string_view RevArray::Get(int32_t field, int32_t value, int32_t subvalue) {
  if (field < 0 || value < 0 || subvalue < 0) {
    result_.Empty();
  } else {
    zqv::Render(fields_, delims_, field, value, subvalue, result_);
  }
  return result_.Text();
}

int32_t RevArray::Set(int32_t field, int32_t value, int32_t subvalue, const char* text,
                      int32_t length) {
  return Store(field, value, subvalue, LengthText(text, length), false);
}

int32_t RevArray::Insert(int32_t field, int32_t value, int32_t subvalue, const char* text,
                         int32_t length) {
  return Store(field, value, subvalue, LengthText(text, length), true);
}

int32_t RevArray::Set(int32_t field, int32_t value, int32_t subvalue, std::string_view text) {
  return Store(field, value, subvalue, text, false);
}

int32_t RevArray::Insert(int32_t field, int32_t value, int32_t subvalue, std::string_view text) {
  return Store(field, value, subvalue, text, true);
}

int32_t RevArray::Store(int32_t field, int32_t value, int32_t subvalue, std::string_view text,
                        bool insert) {
  if (field < -1 || value < -1 || subvalue < -1) return 1;
  if (field == 0) {
    // Parsed aside first, so a failure leaves the array as it was.
    zqv::ArrayFields parsed;
    zqv::StoreFields(parsed, delims_, 0, 0, 0, text, insert);
    fields_.swap(parsed);
  } else {
    zqv::StoreFields(fields_, delims_, field, value, subvalue, text, insert);
  }
  return 0;
}

void RevArray::Del(int32_t field, int32_t value, int32_t subvalue) {
  if (field == 0) {
    fields_.clear();
    return;
  }
  if (field < 0 || value < 0 || subvalue < 0 || static_cast<std::size_t>(field) > fields_.size()) return;
  if (value == 0) {
    fields_.erase(fields_.begin() + (field - 1));
    return;
  }
  std::optional<zqv::ArrayField>& values = fields_[field - 1];
  if (!values || static_cast<std::size_t>(value) > values->size() || !(*values)[value - 1]) return;
  if (subvalue == 0) {
    values->erase(values->begin() + (value - 1));
    return;
  }
  zqv::ArrayValue& subvalues = *(*values)[value - 1];
  if (static_cast<std::size_t>(subvalue) <= subvalues.size()) {
    subvalues.erase(subvalues.begin() + (subvalue - 1));
  }
}

const zqv::ArrayField* RevArray::FieldAt(int32_t field) const {
  if (field < 1 || static_cast<std::size_t>(field) > fields_.size() || !fields_[field - 1]) return nullptr;
  return &*fields_[field - 1];
}

const zqv::ArrayValue* RevArray::ValueAt(int32_t field, int32_t value) const {
  const zqv::ArrayField* values = FieldAt(field);
  if (!values || value < 1 || static_cast<std::size_t>(value) > values->size() || !(*values)[value - 1]) {
    return nullptr;
  }
  return &*(*values)[value - 1];
}

int32_t RevArray::FieldCount() const { return Count(fields_.size()); }

int32_t RevArray::ValueCount(int32_t field) const {
  const zqv::ArrayField* values = FieldAt(field);
  return values ? Count(values->size()) : 0;
}

int32_t RevArray::SubValueCount(int32_t field, int32_t value) const {
  const zqv::ArrayValue* subvalues = ValueAt(field, value);
  return subvalues ? Count(subvalues->size()) : 0;
}

void RevArray::SetDelim(const char* text, int32_t length) {
  std::string_view bytes = LengthText(text, length);
  if (bytes.empty()) {
    delims_ = zqv::Delimiters{};
    return;
  }
  char* slots[] = {&delims_.field, &delims_.value, &delims_.subvalue};
  for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 3); ++i) *slots[i] = bytes[i];
}
