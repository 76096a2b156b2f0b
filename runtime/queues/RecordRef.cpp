#include <cstring>

#include "queues/FieldValue.h"
#include "zqruntime/record.h"

namespace zq::rt {

std::byte* RecordRef::Element(const Field& field, uint32_t element) const {
  if (element == 0 || element > field.elements) return nullptr;
  return data_ + field.offset + static_cast<size_t>(field.size) * (element - 1);
}

RecordRef::Slot RecordRef::At(uint32_t n, uint32_t e) const {
  const Field* f = layout_->At(n);
  return {f, f ? Element(*f, e) : nullptr};
}

std::string_view RecordRef::Bytes() const {
  return {reinterpret_cast<const char*>(data_), layout_->Size()};
}

std::string RecordRef::Text(uint32_t n, uint32_t e) const {
  const Slot s = At(n, e);
  return s.bytes ? field::ReadText(*s.field, s.bytes) : std::string();
}

int64_t RecordRef::Whole(uint32_t n, uint32_t e) const {
  const Slot s = At(n, e);
  return s.bytes ? field::ReadWhole(*s.field, s.bytes) : 0;
}

double RecordRef::Real(uint32_t n, uint32_t e) const {
  const Slot s = At(n, e);
  return s.bytes ? field::ReadReal(*s.field, s.bytes) : 0.0;
}

void* RecordRef::Reference(uint32_t n) const {
  const Field* f = layout_->At(n);
  if (!f || f->kind != FieldKind::Reference) return nullptr;
  void* v;
  std::memcpy(&v, Element(*f, 1), sizeof v);
  return v;
}

bool RecordRef::SetText(uint32_t n, std::string_view text, uint32_t e) {
  const Slot s = At(n, e);
  if (s.bytes) field::WriteText(*s.field, s.bytes, text);
  return s.bytes != nullptr;
}

bool RecordRef::SetWhole(uint32_t n, int64_t value, uint32_t e) {
  const Slot s = At(n, e);
  if (s.bytes) field::WriteWhole(*s.field, s.bytes, value);
  return s.bytes != nullptr;
}

bool RecordRef::SetReal(uint32_t n, double value, uint32_t e) {
  const Slot s = At(n, e);
  if (s.bytes) field::WriteReal(*s.field, s.bytes, value);
  return s.bytes != nullptr;
}

bool RecordRef::SetReference(uint32_t n, void* value) {
  const Field* f = layout_->At(n);
  if (!f || f->kind != FieldKind::Reference) return false;
  std::memcpy(Element(*f, 1), &value, sizeof value);
  return true;
}

std::string RecordRef::Text(std::string_view name, uint32_t e) const {
  return Text(layout_->Find(name), e);
}
int64_t RecordRef::Whole(std::string_view name, uint32_t e) const {
  return Whole(layout_->Find(name), e);
}
double RecordRef::Real(std::string_view name, uint32_t e) const {
  return Real(layout_->Find(name), e);
}
void* RecordRef::Reference(std::string_view name) const { return Reference(layout_->Find(name)); }
bool RecordRef::SetText(std::string_view name, std::string_view text, uint32_t e) {
  return SetText(layout_->Find(name), text, e);
}
bool RecordRef::SetWhole(std::string_view name, int64_t value, uint32_t e) {
  return SetWhole(layout_->Find(name), value, e);
}
bool RecordRef::SetReal(std::string_view name, double value, uint32_t e) {
  return SetReal(layout_->Find(name), value, e);
}
bool RecordRef::SetReference(std::string_view name, void* value) {
  return SetReference(layout_->Find(name), value);
}

void RecordRef::AssignBytes(std::string_view bytes) {
  const size_t n = std::min<size_t>(bytes.size(), layout_->Size());
  std::memcpy(data_, bytes.data(), n);
  std::memset(data_ + n, 0, layout_->Size() - n);
}

void RecordRef::Assign(const RecordRef& other) {
  if (data_ != other.data_) AssignBytes(other.Bytes());
}

void RecordRef::Clear() {
  std::memset(data_, 0, layout_->Size());
  for (uint32_t n = 1; n <= layout_->FieldCount(); ++n) {
    const Field& f = *layout_->At(n);
    if (f.kind == FieldKind::String)
      std::memset(data_ + f.offset, ' ', size_t{f.size} * f.elements);
  }
}

Record::Record(std::shared_ptr<const RecordLayout> layout)
    : RecordRef(*layout, nullptr),
      owner_(std::move(layout)),
      storage_(std::make_unique<std::byte[]>(owner_->Size() + 1)) {
  Rebind(storage_.get());
  Clear();
}

Record::Record(const Record& other) : Record(other.owner_) { Assign(other); }

Record& Record::operator=(const Record& other) {
  if (this != &other) {
    if (owner_ != other.owner_) {
      Record copy(other);
      owner_ = copy.owner_;
      storage_ = std::move(copy.storage_);
      static_cast<RecordRef&>(*this) = RecordRef(*owner_, storage_.get());
    } else {
      Assign(other);
    }
  }
  return *this;
}

}  // namespace zq::rt
