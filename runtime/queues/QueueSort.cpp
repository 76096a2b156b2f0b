#include <algorithm>
#include <cstring>
#include <vector>

#include "queues/FieldValue.h"
#include "zqruntime/queue.h"

namespace zq::rt {
namespace {

struct SortKey {
  const Field* field;
  bool descending;
};

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// "+SCat,-Dir" into keys; false for an empty order or an unknown or group field.
bool ParseOrder(const RecordLayout& layout, std::string_view order, std::vector<SortKey>& keys) {
  while (true) {
    const size_t comma = order.find(',');
    std::string_view item = Trim(order.substr(0, comma));
    bool descending = false;
    if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
      descending = item.front() == '-';
      item = Trim(item.substr(1));
    }
    const Field* f = layout.At(layout.Find(item));
    if (!f || f->IsGroup()) return false;
    keys.push_back({f, descending});
    if (comma == std::string_view::npos) break;
    order.remove_prefix(comma + 1);
  }
  return !keys.empty();
}

int Compare(const Field& f, const std::byte* a, const std::byte* b) {
  if (f.IsText()) {
    const int c = field::ClippedText(f, a).compare(field::ClippedText(f, b));
    return (c > 0) - (c < 0);
  }
  if (f.kind == FieldKind::Real) {
    const double x = field::ReadReal(f, a), y = field::ReadReal(f, b);
    return (x > y) - (x < y);
  }
  if (f.kind == FieldKind::Reference) {
    const int c = std::memcmp(a, b, f.size);
    return (c > 0) - (c < 0);
  }
  const int64_t x = field::ReadWhole(f, a), y = field::ReadWhole(f, b);
  return (x > y) - (x < y);
}

}  // namespace

bool Queue::Sort(std::string_view order) {
  std::lock_guard guard(lock_);
  std::vector<SortKey> keys;
  if (!ParseOrder(*layout_, order, keys)) return Fail(kQueueBadField);
  std::stable_sort(records_.begin(), records_.end(), [&keys](const Storage& a, const Storage& b) {
    for (const SortKey& k : keys) {
      const int c = Compare(*k.field, a.get() + k.field->offset, b.get() + k.field->offset);
      if (c != 0) return k.descending ? c > 0 : c < 0;
    }
    return false;
  });
  position_ = 0;
  return Done();
}

bool Queue::Sort(const RecordOrder& order) {
  std::lock_guard guard(lock_);
  if (!order) return Fail(kQueueBadField);
  std::stable_sort(records_.begin(), records_.end(), [&](const Storage& a, const Storage& b) {
    return order(RecordRef(*layout_, a.get()), RecordRef(*layout_, b.get())) < 0;
  });
  position_ = 0;
  return Done();
}

}  // namespace zq::rt
