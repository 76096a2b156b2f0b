// Searching an array level for an element equal to a text.
#include "arrays/RevArray.h"

int32_t RevArray::Locate(std::string_view text, int32_t field, int32_t value) {
  return Find(text, field, value, false);
}

int32_t RevArray::LocateNC(std::string_view text, int32_t field, int32_t value) {
  return Find(text, field, value, true);
}

// Each candidate is rendered whole and compared with the string object's whole-text comparison.
int32_t RevArray::Find(std::string_view text, int32_t field, int32_t value, bool noCase) {
  int32_t count = field == 0   ? FieldCount()
                  : value == 0 ? ValueCount(field)
                               : SubValueCount(field, value);
  for (int32_t i = 1; i <= count; ++i) {
    if (field == 0) {
      Get(i, 0, 0);
    } else if (value == 0) {
      Get(field, i, 0);
    } else {
      Get(field, value, i);
    }
    int32_t order = noCase ? result_.CompareNC(text, -1) : result_.Compare(text, -1);
    if (order == 0) return i;
  }
  return 0;
}
