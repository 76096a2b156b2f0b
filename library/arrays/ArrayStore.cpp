#include "arrays/ArrayStore.h"

#include "arrays/ArrayText.h"

namespace zqv {

namespace {

// The element at a 1-based position, for storing into: beyond the count a new element goes
// in there (a gap stays missing), for an insert a new element goes in front of the one there,
// and a missing element is replaced by a new one.
template <class T>
T& Slot(std::vector<std::optional<T>>& list, std::size_t position, bool insert) {
  std::size_t index = position - 1;
  if (index >= list.size()) {
    list.resize(index);
    return list.emplace_back(std::in_place).value();
  }
  if (insert) {
    auto at = list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), std::optional<T>(std::in_place));
    return at->value();
  }
  if (!list[index]) list[index].emplace();
  return *list[index];
}

// The first position a store writes to: 1 after clearing for 0, after the last for -1.
template <class List>
std::size_t FirstPosition(List& list, int32_t position) {
  if (position == 0) {
    list.clear();
    return 1;
  }
  if (position == -1) return list.size() + 1;
  return static_cast<std::size_t>(position);
}

void StoreSubvalues(ArrayValue& value, int32_t subvalue, std::string_view text, bool insert,
                    char delimiter) {
  std::size_t position = FirstPosition(value, subvalue);
  std::string_view rest = text, piece;
  bool more;
  do {
    more = ScanDelimiter(rest, piece, delimiter);
    std::size_t index = position++ - 1;
    if (index >= value.size()) {
      value.resize(index);  // a gap fills with empty subvalues
      value.emplace_back(piece);
    } else if (insert) {
      value.emplace(value.begin() + static_cast<std::ptrdiff_t>(index), piece);
    } else {
      value[index].assign(piece);
    }
  } while (more);
}

void StoreValues(ArrayField& field, const Delimiters& delims, int32_t value, int32_t subvalue,
                 std::string_view text, bool insert) {
  if (value <= 0) subvalue = 0;
  std::size_t position = FirstPosition(field, value);
  std::string_view rest = text, piece;
  bool more;
  do {
    more = ScanDelimiter(rest, piece, delims.value);
    if (more) subvalue = 0;  // the rest of the text replaces the following values whole
    StoreSubvalues(Slot(field, position++, insert), subvalue, piece, insert, delims.subvalue);
  } while (more);
}

}  // namespace

void StoreFields(ArrayFields& fields, const Delimiters& delims, int32_t field, int32_t value,
                 int32_t subvalue, std::string_view text, bool insert) {
  if (field <= 0) value = 0;
  std::size_t position = FirstPosition(fields, field);
  if (field == 0 && text.empty()) return;
  std::string_view rest = text, piece;
  bool more;
  do {
    more = ScanDelimiter(rest, piece, delims.field);
    if (more) value = 0;  // the rest of the text replaces the following fields whole
    StoreValues(Slot(fields, position++, insert), delims, value, subvalue, piece, insert);
  } while (more);
}

}  // namespace zqv
