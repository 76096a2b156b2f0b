#include "arrays/ArrayText.h"

#include <cstring>

namespace zqv {

bool ScanDelimiter(std::string_view& rest, std::string_view& piece, char delimiter) {
  std::size_t at = rest.find(delimiter);
  if (at == std::string_view::npos) {
    piece = rest;
    rest = rest.substr(rest.size());
    return false;
  }
  piece = rest.substr(0, at);
  rest.remove_prefix(at + 1);
  return true;
}

ChunkWriter::ChunkWriter(XSObject& target)
    : target_(target), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {
  target_.Empty();
}

void ChunkWriter::Put(char byte) {
  if (fill_ + 1 > kChunk) Flush();
  buffer_[fill_++] = byte;
}

void ChunkWriter::Put(std::string_view bytes) {
  if (bytes.size() > kChunk) {
    Flush();
    target_.Append(bytes);
    return;
  }
  if (fill_ + bytes.size() > kChunk) Flush();
  if (!bytes.empty()) std::memcpy(buffer_.get() + fill_, bytes.data(), bytes.size());
  fill_ += bytes.size();
}

void ChunkWriter::Flush() {
  if (fill_ == 0) return;
  target_.Append(std::string_view(buffer_.get(), fill_));
  fill_ = 0;
}

namespace {

// The element at a 1-based position, or null when it lies beyond the count or is missing.
template <class T>
const T* At(const std::vector<std::optional<T>>& list, int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > list.size()) return nullptr;
  const std::optional<T>& element = list[position - 1];
  return element ? &*element : nullptr;
}

void RenderValue(ChunkWriter& out, const ArrayValue& value, const Delimiters& delims,
                 int32_t subvalue) {
  if (subvalue == 0) {
    for (std::size_t i = 0; i < value.size(); ++i) {
      if (i > 0) out.Put(delims.subvalue);
      out.Put(value[i]);
    }
  } else if (static_cast<std::size_t>(subvalue) <= value.size()) {
    out.Put(value[subvalue - 1]);
  }
}

void RenderField(ChunkWriter& out, const ArrayField& field, const Delimiters& delims,
                 int32_t value, int32_t subvalue) {
  if (value == 0) {
    for (std::size_t i = 0; i < field.size(); ++i) {
      if (i > 0) out.Put(delims.value);
      if (field[i]) RenderValue(out, *field[i], delims, subvalue);
    }
  } else if (const ArrayValue* one = At(field, value)) {
    RenderValue(out, *one, delims, subvalue);
  }
}

}  // namespace

void Render(const ArrayFields& fields, const Delimiters& delims, int32_t field, int32_t value,
            int32_t subvalue, XSObject& target) {
  ChunkWriter out(target);
  if (field == 0) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out.Put(delims.field);
      if (fields[i]) RenderField(out, *fields[i], delims, value, subvalue);
    }
  } else if (const ArrayField* one = At(fields, field)) {
    RenderField(out, *one, delims, value, subvalue);
  }
  out.Flush();
}

}  // namespace zqv
