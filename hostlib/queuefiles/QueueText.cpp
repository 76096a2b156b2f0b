// A queue as multivalue-array text and back.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "hostlib/QueueFiles.h"
#include "queuefiles/RecordFields.h"

namespace {

constexpr char kFieldMark = '\xFE';
constexpr char kValueMark = '\xFD';
constexpr char kSubvalueMark = '\xFC';

// The shortest plain decimal that reads back as the same number.
void AppendReal(std::string& out, double value) {
  if (!std::isfinite(value) || value == 0) {
    out += '0';
    return;
  }
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  out.append(buffer, r.ptr);
}

void AppendElement(std::string& out, const zq::rt::RecordRef& record, uint32_t field, const zq::rt::Field& kind,
                   uint32_t element) {
  if (kind.kind == zq::rt::FieldKind::Real) {
    AppendReal(out, record.Real(field, element));
  } else {
    out += record.Text(field, element);  // texts come without trailing blanks
  }
}

// The next piece of text up to mark (or the end); text moves past the mark.
std::string_view NextPiece(std::string_view& text, char mark) {
  const size_t at = text.find(mark);
  std::string_view piece = text.substr(0, at);
  text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
  return piece;
}

}  // namespace

std::string GETQUEUE(zq::rt::Queue& q, int32_t& error, int32_t first) {
  error = 0;
  if (first < 1) first = 1;
  const uint32_t records = q.Records();
  if (records < static_cast<uint32_t>(first)) return {};
  uint32_t fields = 0;
  error = hostlib::detail::CountFields(q.Layout(), fields);
  if (error < 0) return {};

  std::string text(static_cast<size_t>(first - 1), kFieldMark);
  for (uint32_t r = static_cast<uint32_t>(first); r <= records; ++r) {
    const std::optional<zq::rt::Record> record = q.Peek(r);
    if (!record) {
      error = kQueueFileRecord;
      return {};
    }
    if (r > static_cast<uint32_t>(first)) text += kFieldMark;
    for (uint32_t f = 1; f <= fields; ++f) {
      if (f > 1) text += kValueMark;
      const zq::rt::Field& kind = *q.Layout().At(f);
      for (uint32_t e = 1; e <= kind.elements; ++e) {
        if (e > 1) text += kSubvalueMark;
        AppendElement(text, *record, f, kind, e);
      }
    }
  }
  return text;
}

int32_t PUTQUEUE(zq::rt::Queue& q, std::string_view text, int32_t first) {
  if (first < 1) first = 1;
  q.Free();
  if (text.empty()) return 0;  // an array without fields
  uint32_t fields = 0;
  const size_t marks = static_cast<size_t>(std::count(text.begin(), text.end(), kFieldMark));
  if (marks + 1 < static_cast<size_t>(first)) return 0;
  if (const int32_t error = hostlib::detail::CountFields(q.Layout(), fields); error < 0) return error;

  zq::rt::Record& buffer = q.Buffer();
  for (int32_t skipped = 1; skipped < first; ++skipped) NextPiece(text, kFieldMark);
  for (bool more = true; more;) {
    more = text.find(kFieldMark) != std::string_view::npos;
    std::string_view record = NextPiece(text, kFieldMark);
    for (uint32_t f = 1; f <= fields; ++f) {
      std::string_view value = NextPiece(record, kValueMark);
      for (uint32_t e = 1, n = q.Layout().At(f)->elements; e <= n; ++e) {
        buffer.SetText(f, NextPiece(value, kSubvalueMark), e);
      }
    }
    if (!q.Add()) return kQueueFileRecord;
  }
  return 0;
}
